// Any query output: the answer is whether the marker occurs, case and all; the command keeps the name whole.
// Any listing: a name is found only where it occurs, and always where a line is its own key's name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

    // The first line's last few bytes as a name; the listing is the rest, then a key named after it.
    std::size_t cut = output.find('\n');
    std::string_view first = output.substr(0, cut == std::string_view::npos ? output.size() : cut);
    std::string name(first.substr(first.size() > 12 ? first.size() - 12 : 0));
    if (name.find_first_of("\\\r\n") != std::string::npos || name.empty()) return 0;
    std::string listing(output.substr(first.size()));
    std::vector<bool> found = brontal::listingNamesEach(listing, {name});
    if (found[0] && listing.find(name) == std::string::npos) std::abort();
    listing += "\nHKEY_CLASSES_ROOT\\CLSID\\{1}\\" + name + "\r\n";
    if (!brontal::listingNamesEach(listing, {name})[0]) std::abort();
    return 0;
}
