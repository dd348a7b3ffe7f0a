# Start-up, the main window, its shared state, press effects and shell shortcuts.
list(APPEND BRONTAL_WIN_SOURCES
  src/app/main_window.cpp
  src/app/start_up.cpp)
