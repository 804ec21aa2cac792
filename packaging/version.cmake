# The version record: the program's name, version and description, as every file that shows
# them takes them (the project, the version header, the desktop files, the manual pages,
# the package).
set(TRACEWELL_PRODUCT_NAME "Tracewell")
set(TRACEWELL_VERSION_TEXT "3.03.0004")
# CMake's form of it, 3.3.0.4: major, minor and revision (two and four digits in the text)
# without their leading zeros, and no patch number.
if(NOT TRACEWELL_VERSION_TEXT MATCHES "^([0-9]+)\\.([0-9][0-9])\\.([0-9][0-9][0-9][0-9])$")
    message(FATAL_ERROR "The version ${TRACEWELL_VERSION_TEXT} is not MAJOR.MM.RRRR")
endif()
math(EXPR tracewell_minor "${CMAKE_MATCH_2}")
math(EXPR tracewell_revision "${CMAKE_MATCH_3}")
set(TRACEWELL_CMAKE_VERSION "${CMAKE_MATCH_1}.${tracewell_minor}.0.${tracewell_revision}")
set(TRACEWELL_DESCRIPTION_RU "Программа для построения графиков математических функций")
set(TRACEWELL_DESCRIPTION_EN "A program that plots graphs of mathematical functions")
# The AppStream id: reverse domain notation, as software centres expect.
set(TRACEWELL_APP_ID "io.github.twteam.tracewell")
# Who answers for the package: the credit line's team, at the help's contact address. The
# copyright file and the changelog name it too.
set(TRACEWELL_MAINTAINER "Tracewell team (twteam) <tr@example.org>")
