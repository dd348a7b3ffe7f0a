// Any command line, any answer about which runs are files: the program taken is a run of the line's own
// characters, never starts or ends with a blank, and the file-system questions stay bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/server_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses which candidates are files.
    const std::uint8_t seed = data[0];
    std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    int asked = 0;
    std::string file = brontal::localServerFile(line, [&](const std::string& candidate) {
        ++asked;
        return ((candidate.size() * 31u + seed) & 7u) == 0;
    });
    if (asked > 2 * 64) std::abort();
    if (!file.empty()) {
        if (file.front() == ' ' || file.back() == ' ' || file.front() == '\t' || file.back() == '\t') std::abort();
        // As written in the line, or with ".exe" added by the lookup.
        std::string_view written = file;
        if (line.find(written) == std::string_view::npos) {
            if (written.size() < 4 || written.substr(written.size() - 4) != ".exe" ||
                line.find(written.substr(0, written.size() - 4)) == std::string_view::npos)
                std::abort();
        }
    }
    std::string inproc = brontal::inprocServerFile(line);
    if (inproc.size() > line.size() || line.find(inproc) == std::string_view::npos) std::abort();
    if (brontal::fileNameOf(line).size() > line.size()) std::abort();
    return 0;
}
