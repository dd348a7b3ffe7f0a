#pragma once
// The libraries a PE image imports, read from its import table: what the
// loader has to find before the image loads. PE32 and PE32+, read through
// PeReader like the bitness probe. Any file may come this way, so every
// count, offset and name is bounded: a table that cannot be read whole is
// Unreadable, never a crash, a hang or a large allocation.
#include <cstddef>
#include <string>
#include <vector>

#include "core/pe_image.h"
#include "core/pe_probe.h"

namespace brontal {

enum class ImportsStatus { NotPe, Unreadable, Read };

struct PeImports {
    ImportsStatus status = ImportsStatus::NotPe;
    // The machine, judged as the bitness probe judges it; NotPe for no image.
    PeVerdict verdict;
    // The libraries in table order, named as the table writes them (Read only).
    std::vector<std::string> libraries;
};

// A table past these is taken for a broken one (and past kMaxPeSections):
// no real module imports from a thousand libraries; a library name is a file
// name, at most MAX_PATH long.
constexpr std::size_t kMaxImportedLibraries = 1024;
constexpr std::size_t kMaxLibraryName = 260;

// Only the import directory counts: delay-loaded libraries do not stop a load.
PeImports readPeImports(PeReader& file);

} // namespace brontal
