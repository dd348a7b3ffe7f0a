# The screenshot gallery program that scripts/screenshots runs; built with the
# end-to-end driver, never run by the tests.
add_executable(e2e_gallery ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp)
target_link_libraries(e2e_gallery PRIVATE e2e_driver)
target_link_options(e2e_gallery PRIVATE ${BRONTAL_STATIC_LINK} -municode)
add_dependencies(e2e_gallery Brontal32 fixtures)
