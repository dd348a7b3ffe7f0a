#include "panel/folder_slots.h"

#include <algorithm>
#include <cctype>

namespace brontal {

FolderSlotTexts fourSlotTexts() {
    return {"C:\\Windows\\Sysnative|C:\\Windows\\SysWOW64|C:\\Program Files\\Common Files|"
            "C:\\Program Files (x86)\\Common Files",
            "imgSystem32|imgSysWOW64|imgCommonFiles|imgCommonFilesX86",
            "lblSystem32data|lblSysWOW64data|lblCommonFilesdata|lblCommonFilesX86data",
            "lblSystem32KB|lblSysWOW64KB|lblCommonFilesKB|lblCommonFilesX86KB",
            "lblSystem32b|lblSysWOW64b|lblCommonFilesb|lblCommonFilesX86b"};
}

FolderSlotTexts twoSlotTexts() {
    return {"C:\\Windows\\System32|C:\\Program Files\\Common Files", "imgSystem32|imgCommonFiles",
            "lblSystem32data|lblCommonFilesdata", "lblSystem32KB|lblCommonFilesKB", "lblSystem32b|lblCommonFilesb"};
}

std::vector<std::string> splitPipe(std::string_view text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        parts.emplace_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) return parts;
        start = bar + 1;
    }
}

std::vector<FolderSlot> slotsFrom(const FolderSlotTexts& t) {
    auto folders = splitPipe(t.folders), images = splitPipe(t.images), dates = splitPipe(t.dateLabels),
         sizes = splitPipe(t.sizeLabels), bits = splitPipe(t.bitsLabels);
    size_t n = std::min({folders.size(), images.size(), dates.size(), sizes.size(), bits.size()});
    std::vector<FolderSlot> slots;
    for (size_t i = 0; i < n; ++i) slots.push_back({folders[i], images[i], dates[i], sizes[i], bits[i]});
    return slots;
}

int findNamesake(const std::vector<std::string>& hits, std::string_view folder) {
    auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    for (size_t i = 0; i < hits.size(); ++i) {
        auto it = std::search(hits[i].begin(), hits[i].end(), folder.begin(), folder.end(),
                              [&](char a, char b) { return lower(static_cast<unsigned char>(a)) == lower(static_cast<unsigned char>(b)); });
        if (it != hits[i].end() || folder.empty()) return static_cast<int>(i);
    }
    return -1;
}

} // namespace brontal
