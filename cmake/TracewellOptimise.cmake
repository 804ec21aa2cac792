# How hard the per-sample loops (the engine, the pixel pass, the grid of x values) are
# optimised. They gain from -O3 (wider unrolling and vectorising than -O2), so a build of our
# own gives them -O3 in Release and RelWithDebInfo. A packager's optimisation level wins: when
# CMAKE_CXX_FLAGS, or the build type's flags changed from CMake's own, name an -O level, the
# loops get those flags like every other file. TRACEWELL_OPTIMISE_HOT_LOOPS decides either way.
# Options given per target come after every CMAKE_CXX_FLAGS* on the command line, so this
# default is the only way to let the packager's level stand.
string(TOUPPER "${CMAKE_BUILD_TYPE}" tracewell_build_type)
string(STRIP "${CMAKE_CXX_FLAGS_${tracewell_build_type}_INIT}" tracewell_initial_flags)
set(tracewell_packager_flags "${CMAKE_CXX_FLAGS}")
if(NOT "${CMAKE_CXX_FLAGS_${tracewell_build_type}}" STREQUAL tracewell_initial_flags)
    string(APPEND tracewell_packager_flags " ${CMAKE_CXX_FLAGS_${tracewell_build_type}}")
endif()
if(tracewell_packager_flags MATCHES "(^| )-O")
    set(tracewell_hot_default OFF)
else()
    set(tracewell_hot_default ON)
endif()
option(TRACEWELL_OPTIMISE_HOT_LOOPS
       "Build the per-sample loops with -O3 in Release and RelWithDebInfo builds (default: on \
unless the compiler flags given name an optimisation level)"
       ${tracewell_hot_default})

# For the compile options of the files or targets that hold such loops.
set(TRACEWELL_HOT_LOOP_OPTIONS
    "$<$<AND:$<BOOL:${TRACEWELL_OPTIMISE_HOT_LOOPS}>,$<CONFIG:Release,RelWithDebInfo>>:-O3>")
