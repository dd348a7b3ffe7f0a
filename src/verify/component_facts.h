#pragma once
// The facts of a component that the window's verification, the report and
// the command line all show, each gathered here once: the registry search,
// the load test with its reason, the registrations in both views with the copy
// they point at, and the facts of a copy in a common folder.
#include <optional>
#include <string>
#include <vector>

#include "core/registration.h"
#include "report/verification.h"

namespace brontal::verify {

// `reg query` of regProgram (full path) names the file under CLSID.
bool clsidRegistryNames(const std::string& regProgram, const std::string& name);
// The same query within a time limit, for the command line, which must not
// wait for ever: no answer when reg could not start or was ended at the limit.
struct RegistryRun {
    std::optional<bool> found;
    bool timedOut = false;
};
RegistryRun clsidRegistryNames(const std::string& regProgram, const std::string& name, unsigned long limitMs);
// The same answer for every name of a set from one run of regProgram that
// lists CLSID whole: result[i] is for names[i]; a run that failed fails each.
// reg writes its listing in the ANSI code page, so a name that the code page
// cannot hold is asked by a query of its own, which reg compares in Unicode.
std::vector<RegistryRun> clsidRegistryNamesEach(const std::string& regProgram, const std::vector<std::string>& names,
                                                unsigned long limitMs);

struct LoadAnswer {
    bool loads = false;
    std::string reason;   // why not, when the file tells; "" otherwise
};
// No path (nothing selected) never loads and has no reason.
LoadAnswer testLoad(const std::string& path);

// Every registration of the file's name, the 32-bit view first and on 64-bit
// Windows the 64-bit one, each with the copy it points at.
std::vector<Registration> registrationsOf(const std::string& path, bool windows64);
// The same for every file of a set, each view read once for all of them:
// result[i] is what registrationsOf(paths[i]) gives.
std::vector<std::vector<Registration>> registrationsOfSet(const std::vector<std::string>& paths, bool windows64);

// Every registration of both views (the 64-bit one on 64-bit Windows) whose
// file is not there, sorted by path. Nothing when a view's CLSID or TypeLib
// key could not be opened; unreadableView then says which view.
std::optional<std::vector<Registration>> orphanedRegistrations(bool windows64, int& unreadableView);

// The copy in a listed folder, read now (gone since the search: unreadable).
FoundCopy copyFacts(const std::string& listedFolder, const std::string& fileName, bool windows64);

} // namespace brontal::verify
