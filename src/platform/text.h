#pragma once
// UTF-8 inside the program, UTF-16 at the Windows edge.
#include <string>
#include <string_view>

namespace brontal {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// Bytes in the ANSI code page (as the loader reads the names of an import
// table) as UTF-8.
std::string fromAnsiCodePage(std::string_view bytes);
// The text written in the ANSI code page reads back the same (no character
// lost or replaced by a look-alike), as a program's piped output must.
bool survivesAnsiCodePage(std::string_view utf8);
// Upper case by the system's rule, as reg compares names letter case aside.
std::string upperCase(std::string_view utf8);

} // namespace brontal
