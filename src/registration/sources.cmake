# Files of src/registration (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_WIN_SOURCES src/registration/registration_request.cpp)
list(APPEND BRONTAL_WIN_SOURCES
  src/registration/confirm_window.cpp
  src/registration/result_window.cpp
  src/registration/registration_runner.cpp)
list(APPEND BRONTAL_LOGIC_SOURCES src/registration/registration_command.cpp)
