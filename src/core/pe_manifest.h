#pragma once
// The manifest a DLL carries for its own load: the resource of type
// RT_MANIFEST (24) with ID 2, the one the loader reads to find the
// side-by-side assemblies the DLL depends on. Read through PeReader like the
// import table, bounded the same way.
#include <cstddef>
#include <string>

#include "core/pe_probe.h"

namespace brontal {

// A resource directory past these is taken for a broken one; a manifest is a
// few kilobytes of XML.
constexpr std::size_t kMaxResourceEntries = 4096;
constexpr std::size_t kMaxManifestBytes = 64 * 1024;

// The manifest's bytes as stored (any language, the first the directory
// lists); "" when the file has none or its resources cannot be read whole.
std::string readPeManifest(PeReader& file);

} // namespace brontal
