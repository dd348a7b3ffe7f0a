#pragma once
// The verify button's checks of one file, without a window: the file's facts,
// the registry in both views with the registrations and the copy each points
// at, the version, the load test with its reason, the copies in the common
// folders and the running Windows. Every fact comes from the functions the
// window's verification calls (verify/component_facts.h, the folder walk).
#include <optional>
#include <string>
#include <vector>

#include "report/verification.h"

namespace brontal {


// Why a verification did not come out: the file could not be read (text
// says so), or reg, named in text, could not be started or did not end in time.
struct VerifyProblem {
    enum Why { Unreadable, ChildNotStarted, ChildTimedOut } why = Unreadable;
    std::string text;
};

// fullPath is whole already. Nothing when the file cannot be read or reg
// fails (problem says why); warning gets the probe's question about an
// unknown machine. Each run of reg may take up to childLimitMs. hits, when
// given, are the file's name found in the common folders by the walk of a
// whole set (commonFolderHits); otherwise the folders are walked for it.
std::optional<Verification> verifyFile(const std::string& fullPath, VerifyProblem& problem, std::string& warning,
                                       unsigned long childLimitMs, const std::vector<std::string>* hits = nullptr);

// The common folders of this Windows walked once for every name of a set:
// result[i] is the hits of names[i].
std::vector<std::vector<std::string>> commonFolderHits(const std::vector<std::string>& names);

} // namespace brontal
