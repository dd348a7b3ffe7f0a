#pragma once
// Side-by-side assemblies: the identities a module's manifest depends on, and
// which folder under WinSxS the loader takes each from. The listing of
// WinSxS is the caller's; the rules are here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

struct AssemblyIdentity {
    std::string name, version, architecture, publicKeyToken, language;   // as the manifest writes them
};

// The assemblyIdentity of every dependentAssembly of a manifest (UTF-8, or
// UTF-16 with its byte-order mark), in order, at most kMaxDependentAssemblies.
constexpr std::size_t kMaxDependentAssemblies = 64;
std::vector<AssemblyIdentity> dependentAssemblies(std::string_view manifest);

// Of the folder names under WinSxS ("x86_microsoft.vc90.crt_1fc8b3b9a1e18e3b_
// 9.0.30729.6161_none_<hash>"), the one the loader of that width takes the
// assembly from: its architecture ("*" is the image's own), name, key and
// language, the version asked for or, as the publisher policies that come
// with each update redirect, the highest of the same major.minor.
std::optional<std::string> assemblyFolder(const std::vector<std::string>& folderNames, const AssemblyIdentity& wanted,
                                          bool is64);

} // namespace brontal
