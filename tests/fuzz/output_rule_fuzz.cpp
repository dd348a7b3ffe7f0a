// Any query output: the answer is whether the marker occurs, case and all; the command keeps the name whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "verify/registry_query.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view output(reinterpret_cast<const char*>(data), size);
    static constexpr std::string_view marker = "HKEY_CLASSES_ROOT\\CLSID";
    bool expected = false;
    for (std::size_t i = 0; !expected && i + marker.size() <= output.size(); ++i)
        expected = output.compare(i, marker.size(), marker) == 0;
    if (brontal::outputNamesClsid(output) != expected) std::abort();

    std::string line = brontal::regQueryCommandLine(output);
    std::string quoted = "\"" + std::string(output) + "\"";
    if (line.size() < quoted.size() || line.compare(line.size() - quoted.size(), quoted.size(), quoted) != 0)
        std::abort();
    return 0;
}
