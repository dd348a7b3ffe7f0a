# The screenshot gallery program that scripts/screenshots runs; built with the
# end-to-end driver, never run by the tests.
add_executable(e2e_gallery ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp)
target_link_libraries(e2e_gallery PRIVATE e2e_driver)
target_link_options(e2e_gallery PRIVATE ${BRONTAL_STATIC_LINK} -municode)
add_dependencies(e2e_gallery Brontal32 fixtures)

# The release zip, unpacked into a fresh 64-bit prefix, runs and opens every
# window.
add_test(NAME package_runs COMMAND ${CMAKE_CURRENT_LIST_DIR}/package_runs ${WINE_STATE} ${BRONTAL_DIST}
  $<TARGET_FILE:e2e_gallery>)
set_tests_properties(package_runs PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_win64-3 TIMEOUT 480)
