#pragma once
// Orphaned registrations: classes and type libraries whose registered file
// is not there. Only found and told, never removed: removing one stays a
// deliberate act of the user with the window's buttons.
#include <functional>
#include <string>
#include <vector>

#include "core/registration.h"

namespace brontal {

// The entries whose file does not exist, sorted by path (letter case aside),
// then view, kind and class. openPath gives where an entry's file is looked
// for. folderExists is asked once for each folder such a path is in, and
// exists once for each path in a folder that is there, however many entries
// name it.
std::vector<Registration> orphansOf(std::vector<Registration> all,
                                    const std::function<std::string(const Registration&)>& openPath,
                                    const std::function<bool(const std::string&)>& exists,
                                    const std::function<bool(const std::string&)>& folderExists);

// One line per entry, for a person at a console; a sentence when there are none.
std::string orphansText(const std::vector<Registration>& orphans);
// An array of {view, kind, clsid, progid, name, path, file}.
std::string orphansJson(const std::vector<Registration>& orphans);

} // namespace brontal
