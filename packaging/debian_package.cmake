# The Debian package, made by CPack from the installation above: `cpack -G DEB` in the build
# folder, or scripts/package.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tracewell)
install(FILES copyright DESTINATION ${doc_dir})
# Debian wants the change log compressed without a time stamp, so the file is reproducible.
set(changelog ${generated}/changelog.gz)
add_custom_command(
    OUTPUT ${changelog}
    COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/changelog > ${changelog}
    DEPENDS changelog
    COMMENT "Compressing the change log")
add_custom_target(tracewell_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tracewell)
set(CPACK_PACKAGE_VERSION ${TRACEWELL_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR twteam)
set(CPACK_PACKAGE_CONTACT ${TRACEWELL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tracewell_<version>_<architecture>.deb
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dependencies as the binaries link them
# The window and the help are laid out for Arial's and Courier New's metrics, which
# Liberation Sans and Liberation Mono share; other fonts make the help's texts overrun.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plotter of mathematical functions y = f(x)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[Tracewell draws the graph of y = f(x) for a formula typed into its window,
such as sin(x) or x^2 - 3*x. Scroll bars choose the half-width of the x
interval, the half-height of the y interval and how finely the curve is
sampled.

The formulas use arithmetic, powers, comparisons and the usual functions.
The command-line program tracewell-plot draws the same picture into a PNG
file or prints the values of a formula.]])
include(CPack)
