#pragma once
// What the program was asked to do on its command line. No arguments open
// the window; one that names a file or folder opens it there; a switch is
// answered on standard output with no window.
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

enum class CommandKind { Window, Open, Usage, Verify, Register, Unregister, Orphans, Invalid };

struct Command {
    CommandKind kind = CommandKind::Window;
    std::string path;    // the first path as given; made absolute against the current folder by the caller
    std::vector<std::string> paths;   // every file and folder as given, in order (/verificar takes many)
    bool json = false;
    bool recursive = false;   // /s: a folder's subfolders too
    bool keepGoing = false;   // /continuar: a set's registration goes on past a failure
    std::string error;   // why the arguments were refused (Invalid)
};

// The arguments after the program's name. Switches ignore letter case and may
// start with "/" or "-"; a path is taken whole, whatever it holds. An argument
// that starts with "/" or "-" and holds no "\", "/", "." or ":" after it is a
// switch wherever it stands, so a switch in the file's place is refused as
// such ("/temp/a.dll" and "-a.ocx" are paths). /verificar, /registrar and
// /desregistrar take any number of files and folders, with /json and /s
// (and /continuar to register) anywhere among them.
Command parseCommand(const std::vector<std::string>& args);

// Whether anything follows the program's name on a whole command line, the
// name taken as Windows takes it (up to the closing quote when it starts with
// one, else up to the first blank). A plain start needs no splitting at all.
bool argumentsFollowProgramName(std::string_view commandLine);

std::string usageText();

} // namespace brontal
