#pragma once
// What names a file for good, and the bytes of its version resource.
#include <optional>
#include <string>

#include "core/registration.h"
#include "core/version_record.h"

namespace brontal::platform {

// Volume serial and file index of the file at path (opened for its
// attributes only); nothing when it cannot be opened.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// The version resource of the file, loaded as data only (no code of it
// runs); nothing when it has none or cannot be read.
std::optional<VersionRecord> fileVersion(const std::string& path);

} // namespace brontal::platform
