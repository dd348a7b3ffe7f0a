#pragma once
// The registry search: a `reg query` command line and the rule that reads its output.
#include <string>
#include <string_view>

namespace brontal {

// The command line of reg.exe, which is started by its full path with no
// command interpreter in between: a name holding %NAME%, &, ^ or ! reaches it
// as it is, between the double quotes.
std::string regQueryCommandLine(std::string_view name);
// The output names a key under HKEY_CLASSES_ROOT\CLSID (exact letter case).
bool outputNamesClsid(std::string_view output);
std::string registryAnswerText(bool found);

} // namespace brontal
