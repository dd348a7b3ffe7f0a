#pragma once
// What the report window lists and what it copies: the found folders derived
// from the hit list, the path a listed copy is read from, and the report text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brontal {

inline constexpr char kNotFoundInFolders[] = "Componente não encontrado nas pastas comuns.";
// The facts line of a listed copy that cannot be read any more.
inline constexpr char kCopyUnreadable[] = "Não foi possível ler o arquivo nesta pasta.";

// Every occurrence of from, exactly as written (case counts).
std::string replaceAll(std::string text, std::string_view from, std::string_view to);

// One folder per hit, in hit order: the hit's native-folder alias shown as
// System32, then the backslash and the file name cut off. A hit too short to
// hold the name gives no folder.
std::vector<std::string> foldersFromHits(const std::vector<std::string>& hits, std::string_view fileName);

// Where the copy in a listed folder is read from: on 64-bit Windows a 32-bit
// process sees the real System32 only through the Sysnative alias; on 32-bit
// Windows there is no alias and System32 is itself.
std::string copyReadPath(std::string_view listedFolder, std::string_view fileName, bool windows64);

// "05/03/2019 14:07:33 - 64 bits - 1,50 kB".
std::string copyFactsLine(std::string_view date, bool is64, std::string_view size);

struct ReportCopy {
    std::string folder;      // as listed
    std::string factsLine;   // copyFactsLine, or kCopyUnreadable
};

// The window's fields, read already; copies only count when found is true.
struct ReportFields {
    std::string fileName, address, date, bitness, size, systemLine;
    bool found = false;
    std::vector<ReportCopy> copies;
};

// Lines joined by CR LF, none after the last.
std::string reportText(const ReportFields& r);

} // namespace brontal
