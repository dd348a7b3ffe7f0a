#include "folders/folder_search.h"

#include <cstdlib>
#include <iterator>

#include "core/pe_probe.h"
#include "core/version_record.h"
#include "folders/comparison_panel.h"
#include "folders/tree_search.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "ui/events.h"

namespace brontal::folders {
namespace {

void allSizeLabelsGrey(MainPanel& main) {
    for (ui::Control* label : {&main.lblSystem32KB, &main.lblSysWOW64KB, &main.lblCommonFilesKB, &main.lblCommonFilesX86KB})
        label->setForeColor(ui::systemColor(17));
}

// The walk's effects on the main window: the slot's running count, the hit
// list, pending events and the stop flag.
class SlotSearch final : public TreeSearchHost {
public:
    SlotSearch(MainPanel& main, const FolderSlot& slot, const FolderSlot* previous)
        : main_(main), date_(main[slot.dateLabel]), size_(main[slot.sizeLabel]), bits_(main[slot.bitsLabel]),
          hits_(main.lstArquivos), previousSize_(previous ? &main[previous->sizeLabel] : nullptr),
          waitDate_(main.lblStandBy1.text()), waitSize_(main.lblStandBy2.text()), blink_(main.TimerAguarde) {}

    bool enumerate(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) override {
        bool begun = false;
        bool ok = platform::listFolder(folder, [&](const platform::FolderItem& item) {
            if (!begun) {
                begin();
                begun = true;
            }
            visit(FolderEntry{item.name, item.isFolder, item.reparsePoint});
        });
        if (ok && !begun) begin();
        return ok;
    }
    // The running count is shown when the window gets its turn, at most about
    // thirty times a second: repainting it for each of thousands of small
    // folders would cost more than the search itself, and no eye can read
    // faster.
    void showCount(int count) override { pending_ = count; }
    void addHit(const std::string& fullPath) override { hits_.addItem(fullPath); }
    void processEvents() override {
        ULONGLONG now = GetTickCount64();
        if (now - lastShown_ >= kCountEveryMs) {
            flushCount();
            lastShown_ = now;
        }
        ui::processPendingEvents();
    }
    // The last count of the tree, once its walk is over.
    void flushCount() {
        if (pending_ > 0 && pending_ != shown_) {
            shown_ = pending_;
            bits_.setText(std::to_string(pending_));
        }
    }
    // Esc, btnStop, the verify button, or the window closing.
    bool stopRequested() override { return main_.stopFlag || !main_.isOpen(); }

private:
    // Every folder of the tree, once open, shows the slot's waiting texts and
    // keeps its size label blinking.
    void begin() {
        // The same texts again for every subfolder: leave them be, so the
        // labels are not repainted two thousand times in a large tree.
        setIfDifferent(date_, waitDate_);
        setIfDifferent(size_, waitSize_);
        blink_.setEnabled(true);
        if (previousSize_) previousSize_->setForeColor(ui::systemColor(17));
        shown_ = -1;
    }

    static void setIfDifferent(ui::Control& label, const std::string& text) {
        if (label.text() != text) label.setText(text);
    }

    MainPanel& main_;
    ui::Control& date_;
    ui::Control& size_;
    ui::Control& bits_;
    ui::Control& hits_;
    ui::Control* previousSize_;
    // The waiting texts, read once for the whole tree.
    const std::string waitDate_, waitSize_;
    ui::Timer& blink_;
    static constexpr ULONGLONG kCountEveryMs = 30;
    int shown_ = -1;
    int pending_ = 0;
    ULONGLONG lastShown_ = 0;
};

class HitCollector final : public TreeSearchHost {
public:
    bool enumerate(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) override {
        return platform::listFolder(folder, [&](const platform::FolderItem& item) {
            visit(FolderEntry{item.name, item.isFolder, item.reparsePoint});
        });
    }
    void showCount(int) override {}
    void addHit(const std::string& fullPath) override { hits.push_back(fullPath); }
    void processEvents() override {}
    bool stopRequested() override { return false; }

    std::vector<std::string> hits;
};

} // namespace

std::vector<std::string> collectHits(const std::vector<FolderSlot>& slots, const std::string& name) {
    HitCollector walk;
    for (const FolderSlot& slot : slots) searchFolderTree(walk, slot.folder, name);
    return std::move(walk.hits);
}

ListEntries folderListing() {
    return [](const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
        return platform::listFolder(folder, [&](const platform::FolderItem& item) {
            visit(FolderEntry{item.name, item.isFolder, item.reparsePoint});
        });
    };
}

std::vector<std::vector<std::string>> collectHitsOfNames(const std::vector<FolderSlot>& slots,
                                                         const std::vector<std::string>& names) {
    const ListEntries list = folderListing();
    std::vector<std::vector<std::string>> all(names.size());
    for (const FolderSlot& slot : slots) {
        std::vector<std::vector<std::string>> hits;
        searchFolderTreeForNames(list, slot.folder, names, hits);
        for (size_t i = 0; i < names.size(); ++i)
            all[i].insert(all[i].end(), std::make_move_iterator(hits[i].begin()), std::make_move_iterator(hits[i].end()));
    }
    return all;
}

bool SearchFolderTree(MainPanel& main, const std::string& folder, const std::string& name, int slot) {
    std::vector<FolderSlot> all = main.slots();
    if (slot < 0 || slot >= static_cast<int>(all.size())) return false;
    const FolderSlot* previous = slot > 0 ? &all[static_cast<size_t>(slot - 1)] : nullptr;
    SlotSearch host(main, all[static_cast<size_t>(slot)], previous);
    bool opened = searchFolderTree(host, folder, name);
    host.flushCount();
    return opened;
}

void FillFolderSlot(MainPanel& main, const std::string& folder, int i) {
    std::vector<FolderSlot> all = main.slots();
    if (i < 0 || i >= static_cast<int>(all.size())) return;
    const FolderSlot& slot = all[static_cast<size_t>(i)];
    main[slot.dateLabel].setText(main.lbEmpty1.text());
    main[slot.sizeLabel].setText(main.lbEmpty2.text());
    main[slot.bitsLabel].setText("---");
    main.lblTimerAguarde.setText(std::to_string(i + 1));

    ui::Control& hits = main.lstArquivos;
    std::vector<std::string> paths;
    for (int k = 0; k < hits.count(); ++k) paths.push_back(hits.item(k));
    int found = findNamesake(paths, folder);
    if (found < 0) return;
    const std::string& path = paths[static_cast<size_t>(found)];
    auto facts = readFileFacts(path);
    if (!facts) return; // gone since it was found: the slot keeps its placeholders
    bool is64 = IsPe64Bit(main.lblb, main.services(), path);
    main[slot.image].setPicture(main.imgPasta2.picture());
    main[slot.dateLabel].setText(facts->date);
    main[slot.sizeLabel].setForeColor(ui::systemColor(17));
    main[slot.sizeLabel].setText(facts->size);
    main[slot.bitsLabel].setText(bitnessText(is64));
    // The four copies told apart by version too, not only by date and size.
    std::string tip = " " + versionTipLine(platform::fileVersion(path)) + " ";
    for (const std::string* label : {&slot.dateLabel, &slot.sizeLabel, &slot.bitsLabel}) main[*label].setTip(tip);
}

void settleSearchIndicators(MainPanel& main) {
    if (std::atoi(main.lblStopSearch.text().c_str()) != 0) return;
    main.shpBusca.setBackColor(ui::systemColor(5));
    allSizeLabelsGrey(main);
}

void runFolderSearch(MainPanel& main, const std::string& name) {
    main.TimerSearch.setEnabled(true);
    main.stopFlag = false;
    main.lblStopSearch.setText("1");
    for (ui::Control* list : {&main.DriveList, &main.DirList, &main.FileList, &main.List1}) list->setEnabled(false);
    main.lstArquivos.clear();
    comparisonPanelClear(main);

    std::vector<FolderSlot> all = main.slots();
    for (size_t i = 0; i < all.size(); ++i) {
        SearchFolderTree(main, all[i].folder, name, static_cast<int>(i));
        if (!main.isOpen()) return;   // closed meanwhile: nothing left to show
        FillFolderSlot(main, all[i].folder, static_cast<int>(i));
    }

    main.TimerSearch.setEnabled(false);
    main.lblStopSearch.setText("0");
    main.TimerAguarde.setEnabled(false);
    main.lblTimerAguarde.setText("0");
    main.DriveList.setEnabled(true);
    main.DirList.setEnabled(true);
    ui::Control& list = std::atoi(main.lblSysnative.text().c_str()) == 1 ? main.List1 : main.FileList;
    list.setEnabled(true);
    list.setFocus();
    settleSearchIndicators(main);
    main.finished(MainPanel::Done::Search);
}

void stopFolderSearch(MainPanel& main) {
    main.TimerSearch.setEnabled(false);
    main.TimerAguarde.setEnabled(false);
    main.stopFlag = true;
    main.lblStopSearch.setText("0");
    main.lblTimerAguarde.setText("0");
    allSizeLabelsGrey(main);
    main.FileList.setEnabled(true);
    main.FileList.setFocus();
}

void BlinkLabel(ui::Control& label) {
    label.setForeColor(label.foreColor() != ui::systemColor(0) ? ui::systemColor(0) : ui::kGrey);
}

void wireFolderSearch(MainPanel& main) {
    main.TimerSearch.onTick = [&main] {
        ui::Control& phase = main.lblTimerSearch;
        bool lit = phase.text() != "0";
        phase.setText(lit ? "0" : "1");
        main.shpBusca.setBackColor(ui::systemColor(lit ? 5 : 16));
    };
    main.TimerAguarde.onTick = [&main] {
        int i = std::atoi(main.lblTimerAguarde.text().c_str());
        if (i >= 0 && i < static_cast<int>(main.blinkList.size())) BlinkLabel(*main.blinkList[static_cast<size_t>(i)]);
    };
    main.lstArquivos.onClick = [&main] {
        ui::Control& hits = main.lstArquivos;
        int i = hits.selectedIndex();
        if (i >= 0) main.services().messageBox(main.hwnd(), hits.item(i), "Brontal32", MB_OK);
    };
}

} // namespace brontal::folders
