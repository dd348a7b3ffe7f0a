# Benchmarks, run under Wine by scripts/bench (not by the tests): each prints
# one line of the README's results table, a ratio against a baseline measured
# in the same run.
set(BENCH_DIR ${CMAKE_SOURCE_DIR}/bench)
add_executable(bench_minimal_window WIN32 EXCLUDE_FROM_ALL ${BENCH_DIR}/minimal_window.cpp)
target_compile_options(bench_minimal_window PRIVATE ${BRONTAL_WIN_FLAGS})
target_link_options(bench_minimal_window PRIVATE ${BRONTAL_STATIC_LINK} -mwindows -municode)

foreach(b startup search probe memory registrations orphans)
  add_executable(bench_${b} EXCLUDE_FROM_ALL ${BENCH_DIR}/bench_${b}.cpp)
  target_link_libraries(bench_${b} PRIVATE brontal_win psapi)
  target_link_options(bench_${b} PRIVATE ${BRONTAL_STATIC_LINK} -municode)
endforeach()
add_custom_target(benchmarks DEPENDS bench_minimal_window bench_startup bench_search bench_probe bench_memory
  bench_registrations bench_orphans)

# Endurance: the real program worked from outside by the end-to-end driver,
# its windows, handles and memory read after the first round and the last.
if(TARGET e2e_driver)
  add_executable(bench_endurance EXCLUDE_FROM_ALL ${BENCH_DIR}/bench_endurance.cpp)
  target_include_directories(bench_endurance PRIVATE ${BENCH_DIR})
  target_link_libraries(bench_endurance PRIVATE e2e_driver psapi)
  target_link_options(bench_endurance PRIVATE ${BRONTAL_STATIC_LINK} -municode)
  add_dependencies(bench_endurance Brontal32 fixtures)
  add_dependencies(benchmarks bench_endurance)

  add_executable(bench_command_line EXCLUDE_FROM_ALL ${BENCH_DIR}/bench_command_line.cpp)
  target_include_directories(bench_command_line PRIVATE ${BENCH_DIR})
  target_link_libraries(bench_command_line PRIVATE e2e_driver)
  target_link_options(bench_command_line PRIVATE ${BRONTAL_STATIC_LINK} -municode)
  add_dependencies(bench_command_line Brontal32)
  add_dependencies(benchmarks bench_command_line)

  add_executable(bench_sets EXCLUDE_FROM_ALL ${BENCH_DIR}/bench_sets.cpp)
  target_include_directories(bench_sets PRIVATE ${BENCH_DIR})
  target_link_libraries(bench_sets PRIVATE e2e_driver)
  target_link_options(bench_sets PRIVATE ${BRONTAL_STATIC_LINK} -municode)
  add_dependencies(bench_sets Brontal32)
  add_dependencies(benchmarks bench_sets)
endif()
