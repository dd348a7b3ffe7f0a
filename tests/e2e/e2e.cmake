# End-to-end tests: a driver of our own starts the real Brontal32.exe under the
# same Wine, in the test prefixes, and works it as a user would (clicks, keys,
# message boxes), reading back what the windows show.
if(NOT TARGET fixtures OR NOT TARGET Brontal32)
  return()
endif()

# The program once more, over a heap that poisons what is freed and checks it:
# for the scenarios that close it at awkward moments, where a use after free
# must fail the test instead of passing by luck.
add_executable(Brontal32_checked WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_SOURCE_DIR}/src/app/resources.rc
  ${CMAKE_CURRENT_LIST_DIR}/checked_heap.cpp)
target_include_directories(Brontal32_checked PRIVATE ${CMAKE_BINARY_DIR}/icon)
target_link_libraries(Brontal32_checked PRIVATE brontal_win)
target_link_options(Brontal32_checked PRIVATE ${BRONTAL_STATIC_LINK} -mwindows -municode)
add_dependencies(Brontal32_checked Brontal32)

add_library(e2e_driver STATIC ${CMAKE_CURRENT_LIST_DIR}/driver/driver.cpp ${CMAKE_CURRENT_LIST_DIR}/driver/command_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/accessibility.cpp)
target_include_directories(e2e_driver PUBLIC ${CMAKE_CURRENT_LIST_DIR}/driver ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(e2e_driver PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
  PRIVATE "BRONTAL_E2E_EXE=\"$<TARGET_FILE:Brontal32>\"" "BRONTAL_E2E_CHECKED_EXE=\"$<TARGET_FILE:Brontal32_checked>\"" "BRONTAL_E2E_FIXTURES=\"${BRONTAL_FIXTURES_DIR}\"")
target_compile_options(e2e_driver PRIVATE -Wall -Wextra)
target_link_libraries(e2e_driver PUBLIC user32 gdi32 advapi32 oleacc ole32 oleaut32 uuid)

file(GLOB E2E_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
add_executable(e2e_tests ${E2E_SCENARIOS})
target_link_libraries(e2e_tests PRIVATE e2e_driver gtest gtest_main)
target_link_options(e2e_tests PRIVATE ${BRONTAL_STATIC_LINK})
target_precompile_headers(e2e_tests PRIVATE <gtest/gtest.h> <windows.h> <string> <vector>)
# Once the headers come precompiled, GCC 12 inlines the string copies of the
# scenarios (a std::wstring made from a default L"", a replace in a fixture's
# name) and takes them for reads and writes past their ends: false alarms.
target_compile_options(e2e_tests PRIVATE -Wno-stringop-overread -Wno-stringop-overflow)
# The program and the fixtures it is driven with are built before the driver.
add_dependencies(e2e_tests Brontal32 Brontal32_checked fixtures)

# brontal_e2e(NAME n PREFIX p FILTER gtest-filter LOCALE brazil|english): one
# group of scenarios in one prefix, under one user locale. Wine takes the user
# locale from LANG/LC_ALL; where that locale is not installed on the machine
# the Unix side is left with ASCII file names, so the scenarios with accented
# or Cyrillic file names run in the English group, whose C.UTF-8 character
# set keeps them.
function(brontal_e2e)
  cmake_parse_arguments(E "" "NAME;PREFIX;FILTER;LOCALE;TIMEOUT" "" ${ARGN})
  if(NOT E_TIMEOUT)
    set(E_TIMEOUT 480)   # generous: a loaded machine slows every Wine start
  endif()
  brontal_wine_test(NAME ${E_NAME} PREFIX ${E_PREFIX} TARGET e2e_tests ARGS --gtest_filter=${E_FILTER}
    TIMEOUT ${E_TIMEOUT})
  if(E_LOCALE STREQUAL "brazil")
    set(env "LANG=pt_BR.UTF-8" "LC_ALL=pt_BR.UTF-8" "BRONTAL_E2E_LOCALE=brazil")
  else()
    set(env "LANG=en_US.UTF-8" "LC_ALL=" "LC_CTYPE=C.UTF-8" "BRONTAL_E2E_LOCALE=english")
  endif()
  set_property(TEST ${E_NAME} APPEND PROPERTY ENVIRONMENT ${env})
endfunction()

brontal_e2e(NAME e2e_startup_win64 PREFIX win64 FILTER "StartUp.*:StartUpOnDriveC.*" LOCALE brazil)
brontal_e2e(NAME e2e_startup_win32 PREFIX win32 FILTER "TwoSlotWindows.*:VerifyVersions.*" LOCALE brazil)
brontal_e2e(NAME e2e_file_panel_pt_BR PREFIX win64 FILTER "FilePanel.*" LOCALE brazil)
brontal_e2e(NAME e2e_file_panel_en_US PREFIX win64 FILTER "FileNames.*" LOCALE english)
brontal_e2e(NAME e2e_registration PREFIX win64-3 FILTER "Registration.*" LOCALE brazil)
brontal_e2e(NAME e2e_verify PREFIX win64 FILTER "Verify.*:VerifyVersions.*" LOCALE brazil TIMEOUT 900)
# The load test's search and its reasons, with an import named in code page 1252.
brontal_e2e(NAME e2e_load_search PREFIX win64 FILTER "LoadSearch.*" LOCALE english)
brontal_e2e(NAME e2e_keyboard PREFIX win64 FILTER "Keyboard.*" LOCALE brazil)

# The windows around the main window and the program under misuse, in the
# second 64-bit prefix, side by side with the other groups; the 32-bit ones.
brontal_e2e(NAME e2e_companions PREFIX win64-2 FILTER "Companions.*" LOCALE brazil TIMEOUT 480)
brontal_e2e(NAME e2e_registration_win32 PREFIX win32 FILTER "Win32Registration.*" LOCALE brazil)
brontal_e2e(NAME e2e_report PREFIX win64 FILTER "Report.*" LOCALE brazil TIMEOUT 480)
brontal_e2e(NAME e2e_report_win32 PREFIX win32 FILTER "Report32.*" LOCALE brazil TIMEOUT 480)
brontal_e2e(NAME e2e_faults PREFIX win64-2 FILTER "Faults.*" LOCALE brazil TIMEOUT 480)
brontal_e2e(NAME e2e_interruptions PREFIX win64-2 FILTER "Interruptions.*" LOCALE brazil TIMEOUT 900)

# The command line in both widths of Windows, and the window started with an
# argument; its files are named outside the ANSI code page, so it runs under
# the English group's character set.
brontal_e2e(NAME e2e_command_line PREFIX win64-3 FILTER "CommandLine.*:StartedWith.*:Registrations.*:Sets.*" LOCALE english)
brontal_e2e(NAME e2e_command_line_win32 PREFIX win32 FILTER "CommandLine.*:StartedWith.*:Registrations.*:Sets.*" LOCALE english)
