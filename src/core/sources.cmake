# The portable facts every room shares, with no <windows.h>: the file facts and
# their texts, the PE bitness probe, import table and manifest, the
# side-by-side assemblies a manifest names, why a component does not load, the
# version record, folder paths.
list(APPEND BRONTAL_LOGIC_SOURCES src/core/file_facts.cpp src/core/pe_probe.cpp src/core/paths.cpp
  src/core/pe_image.cpp src/core/pe_imports.cpp src/core/pe_manifest.cpp src/core/side_by_side.cpp
  src/core/missing_library.cpp src/core/server_path.cpp src/core/registration.cpp src/core/version_record.cpp)
