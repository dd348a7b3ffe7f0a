#pragma once
// Files and folders as the program sees them: facts of one file, folder
// listings, drives, the program's own folder.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/file_facts.h"
#include "core/pe_probe.h"

namespace brontal::platform {

struct FileInfo {
    std::uint64_t size = 0;
    LocalDateTime lastWrite{};
    bool isFolder = false;
};
// Size and last-write time (local time) of a path, or nothing when it cannot be read.
std::optional<FileInfo> fileInfo(const std::string& path);

// Opens the file for the bitness probe and runs it; nullopt when it cannot be opened.
std::optional<PeVerdict> probeFile(const std::string& path);
// The same with another probe over the opened file (benchmarks count its calls).
std::optional<PeVerdict> probeFile(const std::string& path, const std::function<PeVerdict(PeReader&)>& probe);

// Opens the file for reading and hands it to use as a PeReader; false when it
// cannot be opened.
bool withFileReader(const std::string& path, const std::function<void(PeReader&)>& use);

bool pathExists(const std::string& path);   // any attributes at all
bool fileExists(const std::string& path);   // a file, not a folder
bool folderExists(const std::string& path);

struct FolderItem {
    std::string name;
    bool isFolder = false;
    bool hidden = false;   // hidden or system
    bool reparsePoint = false;
};
// Every entry but "." and "..", in the order the file system returns them;
// false when the folder cannot be listed.
bool listFolder(const std::string& folder, const std::function<void(const FolderItem&)>& visit);

struct Drive {
    std::string root;        // "C:\"
};
// At once: nothing is asked of the drives themselves. Their kind and label
// come from volumeLabel, off the window's thread: a disconnected network
// drive or an empty optical one can take seconds, and even the kind is a
// question to the system's mount manager.
std::vector<Drive> logicalDrives();
// Nothing for floppies, card readers and drives of no known kind: an empty
// one would only stall.
std::optional<std::string> volumeLabel(const std::string& root);
// The folder a drive letter stands for now ("C:" -> "C:\" or that drive's current folder).
std::string currentFolderOfDrive(const std::string& drive);
std::string currentFolder();   // the process's current folder; empty when it cannot be read
// A path as typed, made whole against the current folder ("x.dll", "..\\x.dll", "\\x.dll").
std::string fullPath(const std::string& path);

std::string programFolder();   // without the trailing backslash (unless a root)
std::string systemFolder();    // C:\Windows\System32 as this process sees it
// 64-bit Windows is the one with a SysWOW64 folder for its 32-bit programs.
bool windowsIs64();

} // namespace brontal::platform
