# Files of src/windows (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_LOGIC_SOURCES src/windows/readme_documents.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/windows/about_window.cpp src/windows/help_window.cpp src/windows/admin_notice.cpp
  src/windows/main_place.cpp)
