#pragma once
// The registrations in the registry, read with the registry API in one view:
// the classes under HKEY_CLASSES_ROOT\CLSID (InprocServer32, LocalServer32,
// InprocHandler32) and the type libraries under HKEY_CLASSES_ROOT\TypeLib
// whose win32 (32-bit view) or win64 (64-bit view) file is named.
#include <string>
#include <vector>

#include "core/registration.h"

namespace brontal::platform {

struct RegistryListing {
    std::vector<Registration> entries;   // target not decided yet (Missing)
    int unreadable = 0;                  // values of the wrong type or size, keys that could not be opened
    bool rootUnreadable = false;         // CLSID or TypeLib itself there but could not be opened
};

// The registrations whose file has one of fileNames (letter case aside; a
// registered 8.3 name counts by its long name), or all of them when none is
// given. view is 32 or 64. Other programs' data:
// a value that is no string, too long, cut or denied is counted and skipped,
// and the walk goes on.
RegistryListing readRegistrations(int view, const std::vector<std::string>& fileNames);

// The long form of a path that exists (its 8.3 parts spelt out); as given otherwise.
std::string longPathName(const std::string& path);

// Whether an entry's file has one of fileNames, by the rule readRegistrations
// picks entries by: so that one reading for a set of names can be shared out.
bool registrationNames(const Registration& entry, const std::vector<std::string>& fileNames);

// Where this process opens the file an entry names, as its view sees it
// (the 64-bit System32 through Sysnative, a bare name in the system folder).
std::string registeredOpenPath(const Registration& entry);

// Whether a registered file (as the entry's view sees it) is there, and who it is.
RegisteredFile registeredFile(const Registration& entry);

} // namespace brontal::platform
