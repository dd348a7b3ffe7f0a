#include "report/verification.h"

#include <cstdio>

#include "core/pe_probe.h"

namespace brontal {

ReportFields reportFieldsOf(const Verification& v) {
    ReportFields r;
    r.fileName = v.fileName;
    r.address = v.path;
    r.date = v.date;
    r.bitness = bitnessText(v.is64) + " bits";
    r.size = v.size;
    r.systemLine = v.systemLine;
    r.found = !v.copies.empty();
    for (const FoundCopy& c : v.copies)
        r.copies.push_back({c.folder, c.readable ? copyFactsLine(c.date, c.is64, c.size) : kCopyUnreadable});
    return r;
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of text (its
// shortest form, no surrogate, at most U+10FFFF); 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t n = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                  : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (n == 0 || n > text.size()) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    if (n >= 3) {
        const unsigned char second = byte(1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
            (lead == 0xF4 && second >= 0x90))
            return 0;
    }
    return n;
}

} // namespace

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::size_t n = utf8SequenceLength(utf8.substr(i));
        if (n == 0) {   // not UTF-8: a strict reader refuses the whole document for one such byte
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(utf8.substr(i, n));
            i += n;
            continue;
        }
        ++i;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

namespace {

std::string textOrNull(const std::string& text) { return text.empty() ? "null" : jsonString(text); }

std::string versionJson(const std::optional<VersionRecord>& v) {
    if (!v) return "null";
    return "{\"file\": " + jsonString(versionNumber(*v)) + ", \"product\": " + textOrNull(v->productName) +
           ", \"company\": " + textOrNull(v->companyName) + "}";
}

std::string registrationsJson(const std::vector<Registration>& registrations) {
    if (registrations.empty()) return "[]";
    std::string j = "[";
    for (std::size_t i = 0; i < registrations.size(); ++i) {
        const Registration& r = registrations[i];
        j += i ? ",\n    {" : "\n    {";
        j += "\"view\": " + std::to_string(r.view) + ", \"kind\": " + jsonString(r.kind) +
             ", \"clsid\": " + jsonString(r.clsid) + ", \"progid\": " + textOrNull(r.progid) +
             ", \"name\": " + textOrNull(r.name) + ", \"path\": " + jsonString(r.path) +
             ", \"target\": " + jsonString(targetName(r.target)) + "}";
    }
    return j + "\n  ]";
}

} // namespace

std::string verificationJson(const Verification& v) {
    auto boolean = [](bool b) { return std::string(b ? "true" : "false"); };
    auto bits = [](bool is64, bool peImage = true) { return std::string(!peImage ? "null" : is64 ? "64" : "32"); };
    std::string j = "{\n";
    j += "  \"file\": " + jsonString(v.fileName) + ",\n";
    j += "  \"path\": " + jsonString(v.path) + ",\n";
    j += "  \"size\": " + jsonString(v.size) + ",\n";
    j += "  \"date\": " + jsonString(v.date) + ",\n";
    j += "  \"bits\": " + bits(v.is64, v.peImage) + ",\n";
    j += "  \"registered\": " + boolean(v.registered()) + ",\n";
    j += "  \"registry32\": " + boolean(v.registered32) + ",\n";
    j += "  \"registry64\": " + (v.registered64 ? boolean(*v.registered64) : "null") + ",\n";
    j += "  \"loads\": " + boolean(v.loads) + ",\n";
    j += "  \"loadFailure\": " + (v.loadFailure.empty() ? "null" : jsonString(v.loadFailure)) + ",\n";
    j += "  \"version\": " + versionJson(v.version) + ",\n";
    j += "  \"registrations\": " + registrationsJson(v.registrations) + ",\n";
    j += "  \"copies\": [";
    for (std::size_t i = 0; i < v.copies.size(); ++i) {
        const FoundCopy& c = v.copies[i];
        j += i ? ",\n    {" : "\n    {";
        j += "\"folder\": " + jsonString(c.folder) + ", \"readable\": " + boolean(c.readable);
        if (c.readable)
            j += ", \"size\": " + jsonString(c.size) + ", \"date\": " + jsonString(c.date) +
                 ", \"bits\": " + bits(c.is64, c.peImage) + ", \"version\": " + versionJson(c.version);
        j += "}";
    }
    j += v.copies.empty() ? "],\n" : "\n  ],\n";
    j += "  \"windows\": " + jsonString(v.systemLine) + ",\n";
    j += "  \"windowsBits\": " + bits(v.windows64) + ",\n";
    j += "  \"exitCode\": " + std::to_string(verificationExitCode(v)) + "\n";
    return j + "}\n";
}

int verificationExitCode(const Verification& v) {
    return v.registered() && anyRegistrationOfThisCopy(v.registrations) && v.loads ? 0 : 1;
}

} // namespace brontal
