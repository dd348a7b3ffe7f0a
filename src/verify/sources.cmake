# Files of src/verify (see the top CMakeLists.txt for the two lists).
list(APPEND BRONTAL_WIN_SOURCES src/verify/verify_flow.cpp)
list(APPEND BRONTAL_WIN_SOURCES src/verify/registry_worker.cpp src/verify/component_facts.cpp)
list(APPEND BRONTAL_LOGIC_SOURCES src/verify/registry_query.cpp)
