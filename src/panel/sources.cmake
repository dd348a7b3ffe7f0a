# The main window as every feature sees it: Form1's controls, its shared state
# and the folder-slot table (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_LOGIC_SOURCES src/panel/folder_slots.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/panel/main_form.cpp src/panel/main_panel.cpp)
