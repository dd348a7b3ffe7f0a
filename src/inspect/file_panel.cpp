#include "inspect/file_panel.h"

#include <windows.h>

#include <cstdlib>

#include "app/main_window.h"
#include "core/file_facts.h"
#include "core/pe_probe.h"
#include "folders/system32_listing.h"
#include "inspect/folder_chain.h"
#include "inspect/folder_list.h"
#include "platform/files.h"
#include "platform/user_locale.h"
#include "report/report_window.h"
#include "verify/verify_flow.h"

namespace brontal::inspect {
namespace {

const char* const kSlotLabels[] = {"lblSystem32data",    "lblSystem32KB",         "lblSystem32b",
                                   "lblSysWOW64data",    "lblSysWOW64KB",         "lblSysWOW64b",
                                   "lblCommonFilesdata", "lblCommonFilesKB",      "lblCommonFilesb",
                                   "lblCommonFilesX86data", "lblCommonFilesX86KB", "lblCommonFilesX86b"};
const char* const kSlotImages[] = {"imgSystem32", "imgSysWOW64", "imgCommonFiles", "imgCommonFilesX86"};

char lowerLetter(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The list starts on the drive of the current folder, as a drive list does:
// only a move to another drive is a change.
void fillDriveList(ui::Control& list) {
    list.clear();
    std::string current = platform::currentFolder();
    int currentIndex = -1;
    for (const platform::Drive& d : platform::logicalDrives()) {
        std::string text = d.root.substr(0, 2);
        for (char& c : text) c = lowerLetter(c);
        if (!d.label.empty()) text += " [" + d.label + "]";
        if (!current.empty() && lowerLetter(current[0]) == text[0]) currentIndex = list.count();
        list.addItem(text);
    }
    if (currentIndex >= 0) list.setSelectedIndex(currentIndex);
}

void onDriveChange(MainWindow& main) {
    std::string drive = main["DriveList"].text().substr(0, 2);
    if (drive.size() == 2) main.setDirListPath(platform::currentFolderOfDrive(drive));
    main["txtFile"].setText("");
}

void onFileListClick(MainWindow& main) {
    ui::Form& f = main;
    int index = f["FileList"].selectedIndex();
    if (index < 0) return;
    f["btnVer"].setEnabled(true);
    f["txtFile"].setForeColor(ui::kRgbBlack);
    std::string name = f["FileList"].item(index);
    f["txtFile"].setText(name);
    f["txtFile"].setTip(" " + name + " ");
    f["lblFileAddress"].setText(name);
    std::string path = main.selectedPath();
    std::optional<FileFactsTexts> facts = readFileFacts(path);
    if (!facts) {
        // Gone or unreadable since it was listed: say so and show no facts.
        f["txtKB"].setText("");
        f["txtKB"].setTip(" Tamanho ");
        f["lblb"].setText("");
        f["lblFileData"].setText("");
        panelClear(main);
        ShowErrorMessage(main, "Não foi possível ler o arquivo selecionado.");
        return;
    }
    f["txtKB"].setText(facts->size);
    f["txtKB"].setTip(" " + facts->size + " ");
    f["lblFileData"].setText(facts->date);
    std::string bits = bitnessText(IsPe64Bit(main, main.services(), path));
    f["lblb"].setText(bits);
    f["lblb"].setTip(" " + bits + " bits ");
    f["txtRegistrado"].setText("");
    panelClear(main);
}

void onBtnFile(MainWindow& main) {
    if (main.fileSelected()) {
        report::openReportWindow(main);
        return;
    }
    main.services().beep();
    ShowErrorMessage(main, "É preciso Selecionar um item primeiro");
}

void onBtnLimpar(MainWindow& main) {
    ui::Form& f = main;
    f["txtFile"].setForeColor(ui::systemColor(12));
    f["txtFile"].setText(f["lblTxtFileIni"].text());
    f["txtFile"].setTip(" Nome do arquivo ");
    f["txtKB"].setText("");
    f["txtKB"].setTip(" Tamanho ");
    f["txtRegistrado"].setText("");
    f["lblb"].setTip(" Profundidade de bits ");
    f["lblb"].setText("");
    comparisonPanelClear(main);
    f["imgCharge"].setTip("");
    f["imgCharge"].setPicture(f["imgCharge1"].picture());
}

} // namespace

std::optional<FileFactsTexts> readFileFacts(const std::string& path) {
    std::optional<platform::FileInfo> info = platform::fileInfo(path);
    if (!info || info->isFolder) return std::nullopt;
    return FileFactsTexts{sizeText(info->size, platform::userNumberFormat()),
                          dateText(info->lastWrite, platform::userDateSeparator(), platform::userTimeSeparator())};
}

bool IsPe64Bit(ui::Form& window, Services& services, const std::string& path) {
    std::optional<PeVerdict> verdict = platform::probeFile(path);
    if (!verdict || verdict->kind == PeKind::NotPe) {
        window["lblb"].setText("");
        return false;
    }
    if (verdict->kind == PeKind::OtherMachine) {
        services.messageBox(window.hwnd(), unknownArchitectureMessage(verdict->machine), "Brontal32",
                            MB_OK | MB_ICONERROR);
        return false;
    }
    return verdict->is64();
}

void ShowErrorMessage(MainWindow& main, const std::string& text) {
    main["txtRegistrado"].setForeColor(ui::kDarkRed);
    main["txtRegistrado"].setText(text);
    main.messageToClear = main["txtRegistrado"].text();
    ui::Timer& t = main.timer("TimerMensagem");
    t.setInterval(3000);
    t.setEnabled(true);
}

void comparisonPanelClear(MainWindow& main) {
    for (const char* name : kSlotLabels) main[name].setText("");
    std::string folder = main["imgPasta1"].picture();
    for (const char* name : kSlotImages) main[name].setPicture(folder);
}

void panelClear(MainWindow& main) {
    comparisonPanelClear(main);
    main["imgCharge"].setTip("");
    main["imgCharge"].setPicture(main["imgCharge1"].picture());
    main["lstArquivos"].clear();
}

void BlinkLabel(ui::Control& label) {
    label.setForeColor(label.foreColor() != ui::systemColor(0) ? ui::systemColor(0) : ui::kGrey);
}

void fillFileList(ui::Control& list, const std::string& folder) {
    std::vector<std::string> names;
    platform::listFolder(folder, [&](const platform::FolderItem& item) {
        // Like the classic file list: files only, hidden and system ones left out.
        if (!item.isFolder && !item.hidden) names.push_back(item.name);
    });
    sortNames(names);
    list.setRedraw(false);
    list.clear();
    for (const std::string& n : names) list.addItem(n);
    list.setRedraw(true);
}

void selectDrive(MainWindow& main, const std::string& root) {
    ui::Control& drives = main["DriveList"];
    if (drives.count() == 0) fillDriveList(drives);
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(root.empty() ? 'c' : root[0])));
    for (int i = 0; i < drives.count(); ++i) {
        std::string item = drives.item(i);
        if (!item.empty() && item[0] == letter) {
            if (drives.selectedIndex() != i) {
                drives.setSelectedIndex(i);
                onDriveChange(main);
            }
            return;
        }
    }
}

void onFolderChange(MainWindow& main) {
    ui::Form& f = main;
    std::string path = withTrailingBackslash(main.dirListPath());
    if (platform::pathExists("C:\\Windows\\Sysnative")) {
        std::string lower = path;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "c:\\windows\\system32\\") {
            f["List1"].setTop(75);
            // Child windows made later lie under the ones made before: without
            // this the file list would still cover the listing and take its clicks.
            SetWindowPos(f["List1"].hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            folders::ListSysnativeFolder(main);
            path = "C:\\Windows\\Sysnative\\";
            f["lblSysnative"].setText("1");
            f["List1"].setEnabled(true);
        } else {
            f["List1"].setTop(5520);
            f["lblSysnative"].setText("0");
            f["FileList"].setEnabled(true);
        }
    }
    fillFileList(f["FileList"], path);
    f["lblDirAddress"].setText(path);
    f["txtFile"].setText("");
    f["txtKB"].setText("");
    f["lblb"].setText("");
    f["txtRegistrado"].setText("");
    panelClear(main);
}

void wireFilePanel(MainWindow& main) {
    ui::Form& f = main;
    fillDriveList(f["DriveList"]);
    f["DriveList"].onChange = [&main] { onDriveChange(main); };

    ui::Control& dir = f["DirList"];
    dir.onDblClick = [&main, &dir] { main.openDirListEntry(dir.selectedIndex()); };
    dir.onKeyPress = [&main, &dir](int ch) {
        if (ch != 13) return false;
        main.openDirListEntry(dir.selectedIndex());
        return true;
    };
    dir.onDrawItem = [&main, &dir](const ui::DrawItem& item) {
        drawFolderItem(dir, item, static_cast<int>(folderChain(main.dirListPath()).size()) - 1);
    };

    f["FileList"].onClick = [&main] { onFileListClick(main); };
    f["FileList"].onKeyPress = [&main](int ch) {
        if (ch != 13) return false;
        verify::verifyComponent(main);
        return true;
    };

    auto& file = f["btnFile"];
    file.onMouseDown = [&main, &file](const ui::MouseEvent&) { main.desceBotao(file); };
    file.onMouseUp = [&main, &file](const ui::MouseEvent&) { main.sobeBotao(file); };
    file.onClick = [&main] { onBtnFile(main); };
    auto& clear = f["btnLimpar"];
    clear.onMouseDown = [&main, &clear](const ui::MouseEvent&) { main.desceBotao(clear); };
    clear.onMouseUp = [&main, &clear](const ui::MouseEvent&) { main.sobeBotao(clear); };
    clear.onClick = [&main] { onBtnLimpar(main); };

    main.timer("TimerMensagem").onTick = [&main] {
        if (main["txtRegistrado"].text() == main.messageToClear) main["txtRegistrado"].setText("");
        main.timer("TimerMensagem").setEnabled(false);
    };
    main.timer("TimerAguarde").onTick = [&main] {
        int i = std::atoi(main["lblTimerAguarde"].text().c_str());
        if (i >= 0 && i < static_cast<int>(main.blinkList.size())) BlinkLabel(*main.blinkList[static_cast<size_t>(i)]);
    };
}

} // namespace brontal::inspect
