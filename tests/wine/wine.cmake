# Tests of the Windows build run under Wine, in prefixes and on an Xvfb display
# that the test run makes for itself inside the build tree.
set(WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/run)
set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN};${WINE_STATE};win64)

# Four prefixes, each on a display of its own, so that groups in different
# prefixes run side by side (ctest -j): three 64-bit Windows and a 32-bit one.
add_test(NAME wine_setup COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/setup ${WINE_STATE} ${CMAKE_BINARY_DIR}/fixtures
  win64 win64-2 win64-3 win32)
set_tests_properties(wine_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine_cleanup COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/cleanup ${WINE_STATE})
set_tests_properties(wine_cleanup PROPERTIES FIXTURES_CLEANUP wine)

# brontal_wine_test(NAME name PREFIX win64|win64-2|win64-3|win32 TARGET exe [ARGS ...] [TIMEOUT s])
function(brontal_wine_test)
  cmake_parse_arguments(T "" "NAME;PREFIX;TARGET;TIMEOUT" "ARGS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${WINE_RUN} ${WINE_STATE} ${T_PREFIX} $<TARGET_FILE:${T_TARGET}> ${T_ARGS})
  set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_${T_PREFIX}
    TIMEOUT ${T_TIMEOUT})
endfunction()

# The portable logic's unit tests, this time as Windows code.
file(GLOB BRONTAL_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests_win ${BRONTAL_UNIT_TESTS})
target_link_libraries(unit_tests_win PRIVATE brontal_logic gtest gtest_main)
target_link_options(unit_tests_win PRIVATE ${BRONTAL_STATIC_LINK})
# GoogleTest's header is most of what each test file costs to compile: parsed once.
target_precompile_headers(unit_tests_win PRIVATE <gtest/gtest.h> <string> <vector>)
brontal_wine_test(NAME unit_tests_win PREFIX win32 TARGET unit_tests_win)

# Window tests: the forms in this process, with injected probes and dialogs.
file(GLOB BRONTAL_WINDOW_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/window/*.cpp)
if(BRONTAL_WINDOW_TESTS)
  add_executable(window_tests ${BRONTAL_WINDOW_TESTS})
  target_link_libraries(window_tests PRIVATE brontal_win gtest gtest_main)
  target_link_options(window_tests PRIVATE ${BRONTAL_STATIC_LINK})
  target_precompile_headers(window_tests PRIVATE <gtest/gtest.h> <windows.h> <string> <vector>)
  brontal_wine_test(NAME window_tests PREFIX win64 TARGET window_tests)
endif()

include(${CMAKE_SOURCE_DIR}/tests/fixtures/fixtures.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tests/e2e/gallery.cmake OPTIONAL)
