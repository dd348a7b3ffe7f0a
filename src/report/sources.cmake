# Files of src/report (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_WIN_SOURCES src/report/report_window.cpp)
