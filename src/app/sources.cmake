# Start-up, the main window, its shared state, press effects and shell
# shortcuts; the command line (its arguments are portable logic).
list(APPEND BRONTAL_LOGIC_SOURCES src/app/command_args.cpp src/app/component_list.cpp)
list(APPEND BRONTAL_WIN_SOURCES
  src/app/main_window.cpp
  src/app/start_up.cpp
  src/app/open_path.cpp
  src/app/command_line.cpp
  src/app/file_verification.cpp)
