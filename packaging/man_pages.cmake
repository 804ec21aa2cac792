# The manual pages are made from the programs' own --help and --version, so they cannot fall
# out of step with them, and from packaging/<program>.h2m, which adds what --help leaves out.
# help2man is needed only when they are on (the default when found).
find_program(TRACEWELL_HELP2MAN help2man)
if(TRACEWELL_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
    set(man_default ON)
else()
    set(man_default OFF)
endif()
option(TRACEWELL_MAN_PAGES "Make and install the manual pages (needs help2man)" ${man_default})
if(NOT TRACEWELL_MAN_PAGES)
    return()
endif()
if(NOT TRACEWELL_HELP2MAN)
    message(FATAL_ERROR "TRACEWELL_MAN_PAGES needs help2man")
endif()

set(man_dir ${generated}/man)
set(man_pages)
# Program, then the one line of the page's NAME section.
foreach(entry "tracewell|plot graphs of mathematical functions y = f(x)"
              "tracewell-plot|plot y = f(x) into a PNG file or print its values")
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 program)
    list(GET entry 1 name)
    set(page ${man_dir}/${program}.1)
    # Run by name from its own folder, so that the usage line reads as it will once installed.
    # help2man runs the program in the locale given by --locale ("C" unless told), and reads
    # its output and the include file in that locale's encoding: the version text is Russian.
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
        COMMAND ${CMAKE_COMMAND} -E env --modify PATH=path_list_prepend:$<TARGET_FILE_DIR:${program}>
                ${TRACEWELL_HELP2MAN} --locale=C.UTF-8 --no-info --no-discard-stderr
                "--name=${name}" --include=${CMAKE_CURRENT_SOURCE_DIR}/${program}.h2m
                --output=${page} ${program}
        COMMAND gzip -9nf ${page}
        DEPENDS ${program} ${program}.h2m
        COMMENT "Writing the manual page of ${program}"
        VERBATIM)
    list(APPEND man_pages ${page}.gz)
endforeach()
add_custom_target(tracewell_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
