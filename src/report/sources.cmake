# Files of src/report (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_LOGIC_SOURCES src/report/os_naming.cpp src/report/report_text.cpp src/report/verification.cpp
  src/report/orphans.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/report/report_window.cpp)
