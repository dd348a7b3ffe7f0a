#include "inspect/folder_list.h"

#include <windows.h>

#include <algorithm>

#include "inspect/folder_chain.h"
#include "platform/files.h"
#include "platform/text.h"
#include "ui/pictures.h"

namespace brontal::inspect {
namespace {

// Every item of the list is drawn with one of two pictures: each is made once
// (making an icon is a trip to the window server under Wine, per item and
// per repaint otherwise).
HICON folderIcon(bool open, int size) {
    static unique_hicon made[2];
    static int madeSize[2] = {0, 0};
    int i = open ? 1 : 0;
    if (!made[i] || madeSize[i] != size) {
        made[i] = ui::makePictureIcon(open ? "folder-open" : "folder", size, size);
        madeSize[i] = size;
    }
    return made[i].get();
}

} // namespace

void sortNames(std::vector<std::string>& names) {
    std::vector<std::pair<std::wstring, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& n : names) keyed.emplace_back(widen(n), std::move(n));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.first.c_str(), -1, b.first.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    names.clear();
    for (auto& k : keyed) names.push_back(std::move(k.second));
}

std::string fillFolderList(ui::Control& list, const std::string& path, std::vector<std::string>& paths) {
    std::vector<std::string> chain = folderChain(path);
    if (chain.empty()) return {};
    std::vector<std::string> subfolders;
    if (!platform::listFolder(chain.back(), [&](const platform::FolderItem& item) {
            if (item.isFolder) subfolders.push_back(item.name);
        }))
        return {};
    sortNames(subfolders);

    list.setRedraw(false);
    list.clear();
    paths.clear();
    int level = 0;
    for (const std::string& folder : chain) {
        list.addItem(folderDisplayName(folder), level++);
        paths.push_back(folder);
    }
    for (const std::string& name : subfolders) {
        list.addItem(name, level);
        paths.push_back(childPath(chain.back(), name));
    }
    list.setSelectedIndex(static_cast<int>(chain.size()) - 1);
    list.setRedraw(true);
    return chain.back();
}

void drawFolderItem(ui::Control& list, const ui::DrawItem& item, int currentLevel) {
    int level = static_cast<int>(list.itemData(item.index));
    bool open = level <= currentLevel;
    RECT r = item.rect;
    bool highlighted = item.selected;
    FillRect(item.dc, &r, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int indent = MulDiv(8, ui::screenDpi(), 96);
    int iconSize = MulDiv(16, ui::screenDpi(), 96);
    int x = r.left + 2 + level * indent;
    HICON icon = folderIcon(open, iconSize);
    DrawIconEx(item.dc, x, r.top + (r.bottom - r.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
    std::wstring text = widen(list.item(item.index));
    RECT textRect{x + iconSize + 3, r.top, r.right, r.bottom};
    HGDIOBJ old = SelectObject(item.dc, list.font());
    SetBkMode(item.dc, TRANSPARENT);
    SetTextColor(item.dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.dc, old);
    if (item.focused) DrawFocusRect(item.dc, &r);
}

} // namespace brontal::inspect
