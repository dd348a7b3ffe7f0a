#pragma once
// The file a registered server value stands for, as Windows takes it: an
// in-process server's value is a path (sometimes quoted), a local server's is
// a command line, which the system reads as CreateProcess reads one with no
// program name of its own.
#include <functional>
#include <string>
#include <string_view>

namespace brontal {

// Blanks around it and one pair of enclosing double quotes taken off.
std::string inprocServerFile(std::string_view value);

// The program of a command line. Quoted: up to the closing quote (the rest is
// arguments). Unquoted: the shortest run up to a blank that names a file,
// tried as written and, without an extension, with ".exe" added, as Windows
// tries "C:\Program Files\A B\srv.exe /x" piece by piece; isFile answers for
// the candidates (at most 64 of them). When none is a file: the shortest run whose last part has
// an extension, else the first word. Empty for a line of blanks or quotes.
std::string localServerFile(std::string_view commandLine, const std::function<bool(const std::string&)>& isFile);

// The last part of a path (after the last "\" or "/").
std::string_view fileNameOf(std::string_view path);

} // namespace brontal
