#pragma once
// UTF-8 inside the program, UTF-16 at the Windows edge.
#include <string>
#include <string_view>

namespace brontal {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace brontal
