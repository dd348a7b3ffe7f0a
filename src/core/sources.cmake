# The portable facts every room shares, with no <windows.h>: the file facts and
# their texts, the PE bitness probe, the version record.
list(APPEND BRONTAL_LOGIC_SOURCES src/core/file_facts.cpp src/core/pe_probe.cpp)
