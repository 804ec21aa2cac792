# How the test programs are built and registered with ctest.
find_package(GTest REQUIRED)
include(GoogleTest)

# The levels of fast paths (TRACEWELL_ISA) that programs registered with EVERY_ISA run at
# besides the best one, so that a machine with AVX-512 runs the AVX2 and plain copies too.
set(TRACEWELL_FORCED_ISAS avx2 plain)

# Skips every test of a program asked for a level this processor lacks.
add_library(tracewell_isa_check OBJECT ${PROJECT_SOURCE_DIR}/tests/support/isa_check.cpp)
target_link_libraries(tracewell_isa_check PRIVATE tracewell_eval GTest::gtest tracewell_warnings)

# Adds a GoogleTest program and registers its tests with ctest. With EVERY_ISA they are
# registered once more for each forced level, named with the level as suffix (".avx2").
function(tracewell_add_tests name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "EVERY_ISA" "" "")
    add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE tracewell_warnings)
    # One value per property: gtest_discover_tests keeps only the first item of a list.
    set(environment ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    if(NOT arg_EVERY_ISA)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ${environment})
        return()
    endif()
    target_link_libraries(${name} PRIVATE tracewell_isa_check)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ${environment}
                         ENVIRONMENT_MODIFICATION TRACEWELL_ISA=unset:)
    foreach(level IN LISTS TRACEWELL_FORCED_ISAS)
        gtest_discover_tests(${name} TEST_SUFFIX .${level} DISCOVERY_TIMEOUT 120
                             PROPERTIES ${environment}
                             ENVIRONMENT_MODIFICATION TRACEWELL_ISA=set:${level})
    endforeach()
endfunction()
