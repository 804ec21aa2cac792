# Installs the build into a scratch prefix and checks that a desktop sees a program there:
# both programs, the desktop entry with the version record, and the icon in three sizes.
# Run with -DBUILD_DIR=... -DPREFIX=... -DVERSION=<the version text>
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/tracewell bin/tracewell-plot share/applications/tracewell.desktop
             share/icons/hicolor/16x16/apps/tracewell.png
             share/icons/hicolor/32x32/apps/tracewell.png
             share/icons/hicolor/48x48/apps/tracewell.png)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ "${PREFIX}/share/applications/tracewell.desktop" entry)
foreach(line "Name=Tracewell" "Exec=tracewell" "Icon=tracewell"
             "Comment[ru]=Программа для построения графиков математических функций"
             "X-Tracewell-Version=${VERSION}")
    string(FIND "${entry}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks '${line}'")
    endif()
endforeach()
execute_process(COMMAND "${PREFIX}/bin/tracewell-plot" --version OUTPUT_VARIABLE version
                RESULT_VARIABLE result)
string(FIND "${version}" "Tracewell ${VERSION}" at)
if(NOT result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "tracewell-plot --version says '${version}'")
endif()
