# Host build: the portable logic and its unit tests, with sanitizers.
set(BRONTAL_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(brontal_logic PRIVATE ${BRONTAL_SANITIZE})
target_link_options(brontal_logic PUBLIC ${BRONTAL_SANITIZE})

find_package(GTest REQUIRED)
file(GLOB BRONTAL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${BRONTAL_UNIT_TESTS})
target_compile_options(unit_tests PRIVATE ${BRONTAL_SANITIZE})
target_link_libraries(unit_tests PRIVATE brontal_logic GTest::gtest GTest::gtest_main)
target_precompile_headers(unit_tests PRIVATE <gtest/gtest.h> <string> <vector>)
add_test(NAME unit_tests COMMAND unit_tests)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
  add_subdirectory(tests/fuzz)
endif()

# The import reader over every PE module of the installed Wine, against objdump.
add_executable(pe_imports_dump tools/pe_imports_dump.cpp)
target_compile_options(pe_imports_dump PRIVATE ${BRONTAL_SANITIZE})
target_link_libraries(pe_imports_dump PRIVATE brontal_logic)
add_test(NAME wine_imports COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/compare_wine_imports.py
  $<TARGET_FILE:pe_imports_dump>)
set_tests_properties(wine_imports PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
