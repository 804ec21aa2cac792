# The version record: the program's name, version and description, as every file that shows
# them takes them (the version header, the desktop files, the package).
set(TRACEWELL_PRODUCT_NAME "Tracewell")
set(TRACEWELL_VERSION_TEXT "3.03.0004")
set(TRACEWELL_DESCRIPTION_RU "Программа для построения графиков математических функций")
set(TRACEWELL_DESCRIPTION_EN "A program that plots graphs of mathematical functions")
# The AppStream id: reverse domain notation, as software centres expect.
set(TRACEWELL_APP_ID "io.github.twteam.tracewell")
# Who answers for the package: the credit line's team, at the help's contact address. The
# copyright file and the changelog name it too.
set(TRACEWELL_MAINTAINER "Tracewell team (twteam) <tr@example.org>")
