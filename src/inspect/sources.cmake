# Files of src/inspect (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_LOGIC_SOURCES src/inspect/folder_chain.cpp)
list(APPEND BRONTAL_WIN_SOURCES
  src/inspect/file_panel.cpp
  src/inspect/folder_list.cpp)
