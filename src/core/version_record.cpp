#include "core/version_record.h"

#include <vector>

namespace brontal {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;
constexpr std::size_t kMaxKey = 64;

// The bytes, read little-endian and never past the end.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::uint16_t u16(std::size_t at) const { return at + 2 <= size ? static_cast<std::uint16_t>(data[at] | data[at + 1] << 8) : 0; }
    std::uint32_t u32(std::size_t at) const { return static_cast<std::uint32_t>(u16(at) | std::uint32_t{u16(at + 2)} << 16); }
};

std::size_t align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

// One block: its length, the length of its value, its type, its key, its
// value and children, all kept within the block it lies in.
struct Block {
    std::u16string key;
    std::size_t value = 0, valueLength = 0, children = 0, end = 0;
    std::uint16_t type = 0;
};

std::optional<Block> readBlock(const Bytes& b, std::size_t at, std::size_t limit) {
    if (at + 6 > limit) return std::nullopt;
    std::size_t length = b.u16(at);
    if (length < 6) return std::nullopt;
    Block block;
    block.end = at + length < limit ? at + length : limit;
    block.type = b.u16(at + 4);
    std::size_t raw = b.u16(at + 2);
    std::size_t p = at + 6;
    for (; p + 2 <= block.end; p += 2) {
        char16_t c = b.u16(p);
        if (c == 0) break;
        if (block.key.size() < kMaxKey) block.key.push_back(c);
    }
    block.value = align4(p + 2);
    if (block.value > block.end) block.value = block.end;
    // Text values count characters, binary ones bytes.
    block.valueLength = block.type == 1 ? raw * 2 : raw;
    if (block.valueLength > block.end - block.value) block.valueLength = block.end - block.value;
    block.children = align4(block.value + block.valueLength);
    if (block.children > block.end) block.children = block.end;
    return block;
}

template <typename Visit>
void forEachChild(const Bytes& b, const Block& parent, Visit visit) {
    std::size_t at = parent.children;
    while (at + 6 <= parent.end) {
        std::optional<Block> child = readBlock(b, at, parent.end);
        if (!child) return;
        visit(*child);
        at = align4(child->end);   // at least six bytes on: the walk always ends
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A String's text runs from its value to its first zero or the block's end,
// whatever its length field says (writers disagree about its unit). A lone
// surrogate becomes U+FFFD; blanks at the end go.
std::string textOf(const Bytes& b, const Block& s) {
    std::string out;
    std::size_t count = 0;
    for (std::size_t p = s.value; p + 2 <= s.end && count < kMaxVersionString; p += 2, ++count) {
        char32_t c = b.u16(p);
        if (c == 0) break;
        if (c >= 0xD800 && c <= 0xDBFF && p + 4 <= s.end) {
            char32_t low = b.u16(p + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                p += 2;
                continue;
            }
        }
        appendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool sameKey(const std::u16string& key, const char* ascii) {
    std::size_t i = 0;
    for (; ascii[i]; ++i)
        if (i >= key.size() || key[i] != static_cast<char16_t>(ascii[i])) return false;
    return i == key.size();
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool sameKeyIgnoringCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::u16string translationKey(std::uint16_t language, std::uint16_t codePage) {
    static constexpr char16_t hex[] = u"0123456789abcdef";
    std::u16string key;
    for (std::uint16_t word : {language, codePage})
        for (int shift = 12; shift >= 0; shift -= 4) key.push_back(hex[word >> shift & 0xF]);
    return key;
}

std::array<std::uint16_t, 4> versionWords(std::uint32_t ms, std::uint32_t ls) {
    return {static_cast<std::uint16_t>(ms >> 16), static_cast<std::uint16_t>(ms), static_cast<std::uint16_t>(ls >> 16),
            static_cast<std::uint16_t>(ls)};
}

} // namespace

std::optional<VersionRecord> parseVersionResource(const std::uint8_t* data, std::size_t size) {
    Bytes b{data, size};
    std::optional<Block> root = readBlock(b, 0, size);
    if (!root || !sameKey(root->key, "VS_VERSION_INFO")) return std::nullopt;

    VersionRecord v;
    if (root->valueLength >= kFixedSize && b.u32(root->value) == kFixedSignature) {
        v.fileVersion = versionWords(b.u32(root->value + 8), b.u32(root->value + 12));
        v.productVersion = versionWords(b.u32(root->value + 16), b.u32(root->value + 20));
    }

    std::optional<std::u16string> translation;
    std::vector<Block> tables;
    forEachChild(b, *root, [&](const Block& child) {
        if (sameKey(child.key, "StringFileInfo")) {
            forEachChild(b, child, [&](const Block& table) { tables.push_back(table); });
        } else if (sameKey(child.key, "VarFileInfo")) {
            forEachChild(b, child, [&](const Block& var) {
                if (!translation && sameKey(var.key, "Translation") && var.valueLength >= 4)
                    translation = translationKey(b.u16(var.value), b.u16(var.value + 2));
            });
        }
    });
    const Block* chosen = tables.empty() ? nullptr : &tables.front();
    if (translation)
        for (const Block& table : tables)
            if (sameKeyIgnoringCase(table.key, *translation)) {
                chosen = &table;
                break;
            }
    if (chosen)
        forEachChild(b, *chosen, [&](const Block& s) {
            if (sameKey(s.key, "FileVersion")) v.fileVersionText = textOf(b, s);
            else if (sameKey(s.key, "ProductName")) v.productName = textOf(b, s);
            else if (sameKey(s.key, "CompanyName")) v.companyName = textOf(b, s);
        });
    return v;
}

std::string versionNumber(const VersionRecord& v) {
    if (!v.fileVersion) return v.fileVersionText;
    const auto& w = *v.fileVersion;
    return std::to_string(w[0]) + "." + std::to_string(w[1]) + "." + std::to_string(w[2]) + "." + std::to_string(w[3]);
}

std::string versionTipLine(const std::optional<VersionRecord>& v) {
    if (!v) return "Sem informação de versão";
    std::string number = versionNumber(*v);
    std::string line = "Versão " + (number.empty() ? std::string("desconhecida") : number);
    if (!v->companyName.empty()) line += " - " + v->companyName;
    return line;
}

} // namespace brontal
