#include "report/report_text.h"

namespace brontal {
namespace {

constexpr std::string_view kAliasFolder = "C:\\Windows\\Sysnative\\";
constexpr std::string_view kSystemFolder = "C:\\Windows\\System32\\";

} // namespace

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        out.append(text, start, at - start);
        out.append(to);
        start = at + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
}

std::vector<std::string> foldersFromHits(const std::vector<std::string>& hits, std::string_view fileName) {
    std::vector<std::string> folders;
    folders.reserve(hits.size());
    const std::size_t cut = fileName.size() + 1;
    for (const std::string& hit : hits) {
        std::string folder = replaceAll(hit, kAliasFolder, kSystemFolder);
        if (folder.size() < cut) continue;
        folder.resize(folder.size() - cut);
        folders.push_back(std::move(folder));
    }
    return folders;
}

std::string copyReadPath(std::string_view listedFolder, std::string_view fileName, bool windows64) {
    std::string folder(listedFolder);
    if (windows64) folder = replaceAll(std::move(folder), "C:\\Windows\\System32", "C:\\Windows\\Sysnative");
    return folder + "\\" + std::string(fileName);
}

std::string copyFactsLine(std::string_view date, bool is64, std::string_view size) {
    return std::string(date) + " - " + (is64 ? "64" : "32") + " bits - " + std::string(size);
}

std::string reportText(const ReportFields& r) {
    std::vector<std::string> lines;
    lines.push_back("Arquivo referência: " + r.fileName);
    lines.push_back("Endereço: " + r.address);
    lines.push_back(r.date + " - " + r.bitness + " - " + r.size);
    lines.emplace_back();
    if (r.found) {
        lines.emplace_back("Encontrado nas pastas: ");
        for (const ReportCopy& copy : r.copies) {
            lines.emplace_back();
            lines.push_back(copy.folder);
            lines.push_back(copy.factsLine);
        }
    } else {
        lines.emplace_back(kNotFoundInFolders);
    }
    lines.emplace_back();
    lines.push_back("Rodando em " + r.systemLine);

    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

} // namespace brontal
