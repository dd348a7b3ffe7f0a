// Any bytes as a version resource: nothing read past them (the sanitizers watch), strings of bounded
// length in valid UTF-8, and a record only for bytes that begin with a VS_VERSION_INFO block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/version_record.h"

namespace {

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<brontal::VersionRecord> v = brontal::parseVersionResource(data, size);
    if (!v) return 0;
    if (size < 6 + 30) std::abort();   // the block's header and its key at the least
    for (const std::string* s : {&v->fileVersionText, &v->productName, &v->companyName})
        if (s->size() > 4 * brontal::kMaxVersionString || !validUtf8(*s)) std::abort();
    if (brontal::versionTipLine(v).empty()) std::abort();
    return 0;
}
