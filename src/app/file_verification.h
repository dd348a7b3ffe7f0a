#pragma once
// The verify button's checks of one file, without a window: the file's facts,
// the registry in both views with the registrations and the copy each points
// at, the version, the load test with its reason, the copies in the common
// folders and the running Windows. Every fact comes from the functions the
// window's verification calls (verify/component_facts.h, the folder walk).
#include <optional>
#include <string>

#include "report/verification.h"

namespace brontal {

// fullPath is whole already. Nothing when the file cannot be read (problem
// says why); warning gets the probe's question about an unknown machine.
std::optional<Verification> verifyFile(const std::string& fullPath, std::string& problem, std::string& warning);

} // namespace brontal
