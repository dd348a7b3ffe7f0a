#pragma once
// The user's number and date settings, for the size and date texts.
#include <string>

#include "core/file_facts.h"

namespace brontal::platform {

NumberFormat userNumberFormat();
std::string userDateSeparator();
std::string userTimeSeparator();

} // namespace brontal::platform
