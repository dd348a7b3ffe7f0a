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

// What the run of a set gathers once for all its files: one file's name
// found in the common folders, its registrations in both views, and reg's
// answer in each view (none when that run failed: registryProblem says why).
struct SharedFacts {
    std::vector<std::string> hits;
    std::vector<Registration> registrations;
    std::optional<bool> registered32, registered64;
    std::optional<VerifyProblem> registryProblem;
};

// fullPath is whole already. Nothing when the file cannot be read or reg
// fails (problem says why); warning gets the probe's question about an
// unknown machine. Each run of reg may take up to childLimitMs. shared, when
// given, is what the set's run found for this file (setFacts); otherwise the
// folders are walked and the registry read for it alone.
std::optional<Verification> verifyFile(const std::string& fullPath, VerifyProblem& problem, std::string& warning,
                                       unsigned long childLimitMs, const SharedFacts* shared = nullptr);

// The common folders of this Windows walked once, and each registry view read
// and listed by reg once, for every file of a set: result[i] is for fullPaths[i].
std::vector<SharedFacts> setFacts(const std::vector<std::string>& fullPaths, unsigned long childLimitMs);

} // namespace brontal
