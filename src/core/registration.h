#pragma once
// A registration of a component file found in the registry, and which copy it
// points at: the selected file itself, another file, or none at all.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brontal {

// What identifies a file whatever path names it (short names, letter case,
// "\\?\" and links alike): its volume and its index there.
struct FileIdentity {
    std::uint32_t volumeSerial = 0;
    std::uint64_t fileIndex = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What is known of the registered file: absent, present, and when it could be
// opened, who it is.
struct RegisteredFile {
    bool exists = false;
    std::optional<FileIdentity> identity;
};

enum class RegistrationTarget { This, Other, Missing };

// This only when both files are known by identity and are the same one; a
// file that is there but cannot be opened counts as another.
RegistrationTarget registrationTarget(const std::optional<FileIdentity>& selected, const RegisteredFile& registered);
const char* targetName(RegistrationTarget target);   // "this", "other", "missing"

struct Registration {
    int view = 32;            // the registry view it was read in: 32 or 64
    std::string kind;         // InprocServer32, LocalServer32, InprocHandler32, TypeLib
    std::string clsid;        // the class id, or the type library's "{guid} version"
    std::string progid, name; // empty when absent
    std::string path;         // the value as written
    std::string file;         // the file it stands for, variables expanded
    RegistrationTarget target = RegistrationTarget::Missing;
};

// The message line's tip after the registry answer: which copy the
// registrations point at; with several, their count and the first that is not
// this copy.
std::string registrationsTip(const std::vector<Registration>& registrations);
bool anyRegistrationOfThisCopy(const std::vector<Registration>& registrations);

} // namespace brontal
