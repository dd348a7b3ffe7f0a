#pragma once
// Everything one verification of a file finds, as values: what the report
// window's copy-all text is made of, and more (both registry views, the load
// test and its reason). The command line prints it as that text or as JSON.
#include <optional>
#include <string>
#include <vector>

#include "core/registration.h"
#include "core/version_record.h"
#include "report/report_text.h"

namespace brontal {

struct FoundCopy {
    std::string folder;            // as the report lists it (System32, never the alias)
    bool readable = false;         // the copy could be read when the facts were taken
    std::string date, size;
    bool is64 = false;
    bool peImage = true;           // it has a PE header (else the JSON's bits are null)
    std::optional<VersionRecord> version;
};

struct Verification {
    std::string fileName, path, date, size;
    bool is64 = false;
    bool peImage = true;                       // it has a PE header: the JSON's bits are null without one,
                                               // the window and the report show "32" as the probe answers
    bool registered32 = false;                 // found by the 32-bit `reg`, as the window asks
    std::optional<bool> registered64;          // the 64-bit view; only on 64-bit Windows
    bool loads = false;
    std::string loadFailure;                   // why it did not load, when known
    std::vector<FoundCopy> copies;
    std::vector<Registration> registrations;   // both views, each with the copy it points at
    std::optional<VersionRecord> version;
    std::string systemLine;                    // "Sistema operacional ... / 64 bits"
    bool windows64 = false;

    bool registered() const { return registered32 || registered64.value_or(false); }
};

// The fields the report window would hold after the same verification.
ReportFields reportFieldsOf(const Verification& v);
// One JSON object; its keys are English and stable (README lists them).
std::string verificationJson(const Verification& v);
// 0 when the name is under CLSID, a registration points at this very file and
// it loads; 1 otherwise.
int verificationExitCode(const Verification& v);

// A JSON string literal, quotes included, valid UTF-8 whatever the bytes
// (each byte that is not part of a UTF-8 sequence becomes U+FFFD).
std::string jsonString(std::string_view utf8);

} // namespace brontal
