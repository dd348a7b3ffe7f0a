#pragma once
// Form1, the main window: the hub of every action and the holder of the
// shared state (hidden state labels, the stop flag, the blink list, the
// folder-slot texts and the search-finished flag).
#include <memory>
#include <string>
#include <vector>

#include "folders/folder_slots.h"
#include "platform/services.h"
#include "ui/form.h"

namespace brontal {

class MainWindow : public ui::Form {
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;

    // The load steps; run once, before the window is first shown.
    void load();

    Services& services() { return services_; }

    // Shared state of the program.
    bool stopFlag = false;
    bool searchFinished = false;
    std::vector<ui::Control*> blinkList;
    // The refusal on the message line that TimerMensagem is to clear: a later
    // answer written there in the meantime stays.
    std::string messageToClear;
    FolderSlotTexts fourSlots, twoSlots;

    // The slot table in force: four slots on 64-bit Windows, two otherwise.
    std::vector<FolderSlot> slots() const;
    bool windowsIs64() const;
    bool elevated() const;
    bool fileSelected() const;       // txtFile holds a name, not the placeholder
    std::string selectedPath() const; // lblDirAddress + lblFileAddress

    // Press effect of one control or a label/image pair: 15 twips right and down.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    void desceBotoes(ui::Control& botao1, ui::Control& botao2);
    void sobeBotoes(ui::Control& botao1, ui::Control& botao2);

    // A verification, a folder search or a registration request has ended.
    enum class Done { Verification, Search, Registration };
    void finished(Done what);

    void OpenFolder(const std::string& folderPath);
    void UnloadAllForms();

    // Windows that take the main window's place, and the ones it owns.
    std::unique_ptr<ui::Form> reportWindow, aboutWindow, helpWindow, worker;

    // The browser's current folder (DirList's path).
    std::string dirListPath() const;
    void setDirListPath(const std::string& path);
    void setDrive(const std::string& root);
    void openDirListEntry(int index);   // double click or Enter in the folder list

private:
    void createControls();
    void createBrowser();
    void createPanel();
    void createSlots();
    void createButtons();
    void createHiddenState();
    void wireEvents();
    void onResized();
    bool onKey(int vk);

    Services services_;
    unsigned done_[3] = {};
    std::vector<std::string> dirPaths_;   // the full path of every DirList entry
    std::string dirPath_;
};

} // namespace brontal
