#pragma once
// The registry search: a `reg query` command line and the rule that reads its output.
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

// The command line of reg.exe, which is started by its full path with no
// command interpreter in between: a name holding %NAME%, &, ^ or ! reaches it
// as it is, between the double quotes.
std::string regQueryCommandLine(std::string_view name);
// The output names a key under HKEY_CLASSES_ROOT\CLSID (exact letter case).
bool outputNamesClsid(std::string_view output);
std::string registryAnswerText(bool found);

// A set's registry search: the same reg of each width lists the whole of
// CLSID once, and every name is looked for in that one listing.
std::string regListingCommandLine();
// For each name, whether `reg query ... /s /f "name"` would find it in the
// listing: a key below CLSID whose own name, or one of whose values' name or
// data, holds it. Listing and names already upper case, letter case being no
// part of the match; a line that is neither a key nor a value is data that
// went on past a line break.
std::vector<bool> listingNamesEach(std::string_view upperListing, const std::vector<std::string>& upperNames);

} // namespace brontal
