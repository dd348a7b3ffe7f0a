# What the program needs of Windows: text conversion, files, processes, shell,
# token, clipboard, registry.
list(APPEND BRONTAL_WIN_SOURCES
  src/platform/text.cpp
  src/platform/files.cpp
  src/platform/user_locale.cpp
  src/platform/system.cpp
  src/platform/optional_api.cpp
  src/platform/services.cpp
  src/platform/windows_version.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/platform/command_output.cpp src/platform/component_load.cpp
  src/platform/load_failure.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/platform/registrations.cpp src/platform/file_identity.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/platform/process.cpp src/platform/std_streams.cpp)
