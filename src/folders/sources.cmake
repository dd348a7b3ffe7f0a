# Files of src/folders (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_WIN_SOURCES src/folders/system32_listing.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/folders/comparison_panel.cpp src/folders/folder_search.cpp)
list(APPEND BRONTAL_LOGIC_SOURCES src/folders/tree_search.cpp)
