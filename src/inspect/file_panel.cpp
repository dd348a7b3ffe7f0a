#include "inspect/file_panel.h"

#include <windows.h>

#include <cctype>
#include <thread>

#include "core/pe_probe.h"
#include "core/version_record.h"
#include "folders/comparison_panel.h"
#include "folders/system32_listing.h"
#include "inspect/folder_chain.h"
#include "inspect/folder_list.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "report/report_window.h"
#include "ui/events.h"
#include "ui/form.h"

namespace brontal::inspect {
namespace {

char lowerLetter(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

int driveIndex(const ui::Control& list, char letter) {
    letter = lowerLetter(letter);
    for (int i = 0; i < list.count(); ++i) {
        std::string item = list.item(i);
        if (!item.empty() && item[0] == letter) return i;
    }
    return -1;
}

// A label that came from a drive's thread, for the drive list if it is still there.
void showLabel(HWND listWindow, const std::string& root, const std::string& label) {
    ui::Form* form = ui::Form::fromHwnd(GetParent(listWindow));
    ui::Control* list = form ? form->controlByHwnd(listWindow) : nullptr;
    if (!list || root.empty()) return;
    int index = driveIndex(*list, root[0]);
    if (index >= 0) list->setItemText(index, list->item(index).substr(0, 2) + " [" + label + "]");
}

// The list starts on the drive of the current folder, as a drive list does:
// only a move to another drive is a change. Each drive is listed by its letter
// at once; its label follows from a thread of its own whenever the drive
// answers, so a drive that stalls holds up neither the window nor the others.
void fillDriveList(MainPanel& main) {
    ui::Control& list = main.DriveList;
    list.clear();
    std::string current = platform::currentFolder();
    int currentIndex = -1;
    std::vector<platform::Drive> drives = platform::logicalDrives();
    for (const platform::Drive& d : drives) {
        std::string text = d.root.substr(0, 2);
        for (char& c : text) c = lowerLetter(c);
        if (!current.empty() && lowerLetter(current[0]) == text[0]) currentIndex = list.count();
        list.addItem(text);
    }
    if (currentIndex >= 0) list.setSelectedIndex(currentIndex);
    auto read = main.services().volumeLabel;
    if (!read || drives.empty()) return;
    ui::Poster post = ui::crossThreadPoster();
    HWND listWindow = list.hwnd();
    // Once the window is up and has nothing else to do: the threads' start
    // and the drives' answers then take nothing from the window's own start.
    ui::whenIdle([read, post, drives, listWindow] {
        for (const platform::Drive& d : drives) {
            const std::string& root = d.root;
            try {
                std::thread([read, post, root, listWindow] {
                    std::optional<std::string> label = read(root);
                    if (label && !label->empty()) post([=] { showLabel(listWindow, root, *label); });
                }).detach();
            } catch (...) {
                ui::reportFailure("starting the label read of " + root);
            }
        }
    });
}

void onDriveChange(MainPanel& main) {
    std::string drive = main.DriveList.text().substr(0, 2);
    if (drive.size() == 2) {
        main.setDirListPath(platform::currentFolderOfDrive(drive));
        std::string shown = main.dirListPath();
        if (shown.empty() || lowerLetter(shown[0]) != lowerLetter(drive[0])) {
            // The drive is not there (or not ready): the box goes back to the
            // drive the folder list still shows, and the selection stays.
            if (!shown.empty()) main.DriveList.setSelectedIndex(driveIndex(main.DriveList, shown[0]));
            main.services().beep();
            return;
        }
    }
    main.txtFile.setText("");
}

void onFileListClick(MainPanel& main) {
    int index = main.FileList.selectedIndex();
    if (index < 0) return;
    main.btnVer.setEnabled(true);
    main.txtFile.setForeColor(ui::kRgbBlack);
    std::string name = main.FileList.item(index);
    main.txtFile.setText(name);
    main.txtFile.setTip(" " + name + " ");
    main.lblFileAddress.setText(name);
    std::string path = main.selectedPath();
    std::optional<folders::FileFactsTexts> facts = folders::readFileFacts(path);
    if (!facts) {
        // Gone or unreadable since it was listed: say so and show no facts.
        main.txtKB.setText("");
        main.txtKB.setTip(" Tamanho ");
        main.lblb.setText("");
        main.lblFileData.setText("");
        panelClear(main);
        main.ShowErrorMessage("Não foi possível ler o arquivo selecionado.");
        return;
    }
    // Which version this copy is, and whose: the name alone does not tell copies apart.
    main.txtFile.setTip(" " + name + " \n " + versionTipLine(platform::fileVersion(path)) + " ");
    main.txtKB.setText(facts->size);
    main.txtKB.setTip(" " + facts->size + " ");
    main.lblFileData.setText(facts->date);
    std::string bits = bitnessText(folders::IsPe64Bit(main.lblb, main.services(), path));
    main.lblb.setText(bits);
    main.lblb.setTip(" " + bits + " bits ");
    main.txtRegistrado.setText("");
    main.txtRegistrado.setTip("");
    panelClear(main);
}

void onBtnFile(MainPanel& main) {
    if (main.fileSelected()) {
        report::openReportWindow(main);
        return;
    }
    main.services().beep();
    main.ShowErrorMessage("É preciso Selecionar um item primeiro");
}

void onBtnLimpar(MainPanel& main) {
    main.txtFile.setForeColor(ui::systemColor(12));
    main.txtFile.setText(main.lblTxtFileIni.text());
    main.txtFile.setTip(" Nome do arquivo ");
    main.txtKB.setText("");
    main.txtKB.setTip(" Tamanho ");
    main.txtRegistrado.setText("");
    main.txtRegistrado.setTip("");
    main.lblb.setTip(" Profundidade de bits ");
    main.lblb.setText("");
    folders::comparisonPanelClear(main);
    main.imgCharge.setTip("");
    main.imgCharge.setPicture(main.imgCharge1.picture());
}

} // namespace

void panelClear(MainPanel& main) {
    folders::comparisonPanelClear(main);
    main.imgCharge.setTip("");
    main.imgCharge.setPicture(main.imgCharge1.picture());
    main.lstArquivos.clear();
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

void selectDrive(MainPanel& main, const std::string& root) {
    ui::Control& drives = main.DriveList;
    if (drives.count() == 0) fillDriveList(main);
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

void onFolderChange(MainPanel& main) {
    std::string path = withTrailingBackslash(main.dirListPath());
    if (platform::pathExists("C:\\Windows\\Sysnative")) {
        std::string lower = path;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "c:\\windows\\system32\\") {
            main.List1.setTop(75);
            // Child windows made later lie under the ones made before: without
            // this the file list would still cover the listing and take its clicks.
            SetWindowPos(main.List1.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            folders::ListSysnativeFolder(main);
            path = "C:\\Windows\\Sysnative\\";
            main.lblSysnative.setText("1");
            main.List1.setEnabled(true);
        } else {
            main.List1.setTop(5520);
            main.lblSysnative.setText("0");
            main.FileList.setEnabled(true);
        }
    }
    fillFileList(main.FileList, path);
    main.lblDirAddress.setText(path);
    main.txtFile.setText("");
    main.txtKB.setText("");
    main.lblb.setText("");
    main.txtRegistrado.setText("");
    main.txtRegistrado.setTip("");
    panelClear(main);
}

void wireFilePanel(MainPanel& main) {
    fillDriveList(main);
    main.DriveList.onChange = [&main] { onDriveChange(main); };

    ui::Control& dir = main.DirList;
    dir.onDblClick = [&main, &dir] { main.openDirListEntry(dir.selectedIndex()); };
    dir.onKeyPress = [&main, &dir](int ch) {
        if (ch != 13) return false;
        main.openDirListEntry(dir.selectedIndex());
        return true;
    };
    dir.onDrawItem = [&main, &dir](const ui::DrawItem& item) {
        drawFolderItem(dir, item, static_cast<int>(folderChain(main.dirListPath()).size()) - 1);
    };

    main.FileList.onClick = [&main] { onFileListClick(main); };
    main.FileList.onKeyPress = [&main](int ch) {
        if (ch != 13) return false;
        main.verifyComponent();
        return true;
    };

    auto& file = main.btnFile;
    file.onMouseDown = [&main, &file](const ui::MouseEvent&) { main.desceBotao(file); };
    file.onMouseUp = [&main, &file](const ui::MouseEvent&) { main.sobeBotao(file); };
    file.onClick = [&main] { onBtnFile(main); };
    auto& clear = main.btnLimpar;
    clear.onMouseDown = [&main, &clear](const ui::MouseEvent&) { main.desceBotao(clear); };
    clear.onMouseUp = [&main, &clear](const ui::MouseEvent&) { main.sobeBotao(clear); };
    clear.onClick = [&main] { onBtnLimpar(main); };
}

} // namespace brontal::inspect
