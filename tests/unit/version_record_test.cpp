#include <gtest/gtest.h>

#include <vector>

#include "core/version_record.h"

using namespace brontal;

namespace {

// A VERSIONINFO block as resource compilers lay it out: length, value length,
// type, key, padding, value, padding, children.
using Bytes = std::vector<std::uint8_t>;

void word(Bytes& b, unsigned w) {
    b.push_back(static_cast<std::uint8_t>(w));
    b.push_back(static_cast<std::uint8_t>(w >> 8));
}
void pad(Bytes& b) {
    while (b.size() % 4) b.push_back(0);
}
Bytes block(const std::u16string& key, const Bytes& value, unsigned valueLength, unsigned type,
            const std::vector<Bytes>& children = {}) {
    Bytes b(6, 0);
    for (char16_t c : key) word(b, c);
    word(b, 0);
    pad(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        pad(b);
        b.insert(b.end(), child.begin(), child.end());
    }
    b[0] = static_cast<std::uint8_t>(b.size());
    b[1] = static_cast<std::uint8_t>(b.size() >> 8);
    b[2] = static_cast<std::uint8_t>(valueLength);
    b[3] = static_cast<std::uint8_t>(valueLength >> 8);
    b[4] = static_cast<std::uint8_t>(type);
    return b;
}
Bytes text(const std::u16string& key, const std::u16string& value) {
    Bytes v;
    for (char16_t c : value) word(v, c);
    word(v, 0);
    return block(key, v, static_cast<unsigned>(value.size() + 1), 1);
}
Bytes fixed(unsigned ms, unsigned ls) {
    Bytes v;
    for (unsigned dw : {0xFEEF04BDu, 0x10000u, ms, ls, ms, ls, 0x3Fu, 0u, 4u, 2u, 0u, 0u, 0u}) {
        word(v, dw & 0xFFFF);
        word(v, dw >> 16);
    }
    return v;
}
Bytes table(const std::u16string& key, const std::u16string& company) {
    return block(key, {}, 0, 1,
                 {text(u"CompanyName", company), text(u"FileVersion", u"1, 2, 3, 4"), text(u"ProductName", u"Produto")});
}
Bytes translation(unsigned language, unsigned codePage) {
    Bytes v;
    word(v, language);
    word(v, codePage);
    return block(u"VarFileInfo", {}, 0, 1, {block(u"Translation", v, 4, 0)});
}

} // namespace

TEST(VersionRecord, FixedNumbersAndTheFirstTranslationsStrings) {
    Bytes resource = block(u"VS_VERSION_INFO", fixed(0x00060001, 0x00620027), 52, 0,
                           {block(u"StringFileInfo", {}, 0, 1,
                                  {table(u"040904B0", u"Other Ltd"), table(u"041604b0", u"Fabricante Ltda")}),
                            translation(0x0416, 0x04B0)});
    std::optional<VersionRecord> v = parseVersionResource(resource.data(), resource.size());
    ASSERT_TRUE(v);
    EXPECT_EQ(versionNumber(*v), "6.1.98.39");
    EXPECT_EQ(v->companyName, "Fabricante Ltda") << "the translation's table, not the first one";
    EXPECT_EQ(v->productName, "Produto");
    EXPECT_EQ(v->fileVersionText, "1, 2, 3, 4");
    EXPECT_EQ(versionTipLine(v), "Versão 6.1.98.39 - Fabricante Ltda");

    // No translation: the first table; no fixed record: the string stands for the number.
    Bytes bare = block(u"VS_VERSION_INFO", {}, 0, 0,
                       {block(u"StringFileInfo", {}, 0, 1, {table(u"040904B0", u"Ação \u00e9 \U0001F600")})});
    v = parseVersionResource(bare.data(), bare.size());
    ASSERT_TRUE(v);
    EXPECT_EQ(versionNumber(*v), "1, 2, 3, 4");
    EXPECT_EQ(v->companyName, "Ação é \xF0\x9F\x98\x80");

    EXPECT_EQ(versionTipLine(std::nullopt), "Sem informação de versão");
}

TEST(VersionRecord, BrokenBytesGiveWhatHoldsTogetherOrNothing) {
    Bytes resource = block(u"VS_VERSION_INFO", fixed(0x00010002, 0x00030004), 52, 0,
                           {block(u"StringFileInfo", {}, 0, 1, {table(u"040904B0", u"Empresa")})});
    EXPECT_FALSE(parseVersionResource(resource.data(), 0));
    Bytes other = resource;
    other[6] = 'X';   // another key
    EXPECT_FALSE(parseVersionResource(other.data(), other.size()));
    // Cut anywhere: never a read past the end (the sanitizers watch), the numbers kept once whole.
    for (std::size_t size = 1; size < resource.size(); ++size) {
        Bytes cut(resource.begin(), resource.begin() + static_cast<std::ptrdiff_t>(size));
        std::optional<VersionRecord> v = parseVersionResource(cut.data(), cut.size());
        if (size >= 40 + 52) {
            ASSERT_TRUE(v && v->fileVersion) << size;
            EXPECT_EQ(versionNumber(*v), "1.2.3.4");
        }
    }
    // A string without its terminating zero, a lone surrogate.
    Bytes s = text(u"CompanyName", u"ab");
    s.resize(s.size() - 2);
    s[0] = static_cast<std::uint8_t>(s.size());
    Bytes lone = text(u"ProductName", std::u16string(1, char16_t(0xD800)) + u"x");
    Bytes r2 = block(u"VS_VERSION_INFO", {}, 0, 0, {block(u"StringFileInfo", {}, 0, 1, {block(u"0", {}, 0, 1, {s, lone})})});
    std::optional<VersionRecord> v = parseVersionResource(r2.data(), r2.size());
    ASSERT_TRUE(v);
    EXPECT_EQ(v->companyName, "ab");
    EXPECT_EQ(v->productName, "\xEF\xBF\xBDx");
}
