#pragma once
// The main window as the rooms of the program see it: Form1's controls, the
// shared state it holds (the stop flag, the blink list, the folder-slot
// texts, the search-finished flag, the windows that stand in its place), the
// message line and the press effect, and the few operations of other rooms
// that a feature starts, which the program's composition root (app/)
// provides.
#include <memory>
#include <string>
#include <vector>

#include "panel/folder_slots.h"
#include "panel/main_form.h"
#include "platform/services.h"

namespace brontal {

class MainPanel : public MainForm {
public:
    explicit MainPanel(Services services);
    ~MainPanel() override;

    Services& services() { return services_; }

    // Shared state of the program.
    bool stopFlag = false;
    bool searchFinished = false;
    // A verification is on the stack; a click on the verify button reached
    // from one of its pumping points only asks for the next one, which starts
    // once this one has ended.
    bool verifying = false;
    bool verifyAgain = false;
    std::vector<ui::Control*> blinkList;
    // The refusal on the message line that TimerMensagem is to clear: a later
    // answer written there in the meantime stays.
    std::string messageToClear;
    FolderSlotTexts fourSlots, twoSlots;

    // Windows that take the main window's place, and the ones it owns.
    std::unique_ptr<ui::Form> reportWindow, aboutWindow, helpWindow, worker;

    // The slot table in force: four slots on 64-bit Windows, two otherwise.
    std::vector<FolderSlot> slots() const;
    bool windowsIs64() const;
    bool elevated() const;
    bool fileSelected() const;       // txtFile holds a name, not the placeholder
    std::string selectedPath() const; // lblDirAddress + lblFileAddress

    // The message line: a dark-red refusal that TimerMensagem clears after
    // three seconds.
    void ShowErrorMessage(const std::string& text);

    // Press effect of one control or a label/image pair: 15 twips right and down.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    void desceBotoes(ui::Control& botao1, ui::Control& botao2);
    void sobeBotoes(ui::Control& botao1, ui::Control& botao2);

    // A verification, a folder search or a registration request has ended.
    enum class Done { Verification, Search, Registration };
    void finished(Done what);

    // The verification of the selected file (btnVer, Enter in a file list).
    virtual void verifyComponent() = 0;
    // The browser's current folder (DirList's path), and moving it.
    virtual std::string dirListPath() const = 0;
    virtual void setDirListPath(const std::string& path) = 0;
    virtual void openDirListEntry(int index) = 0;   // double click or Enter in the folder list

private:
    Services services_;
    unsigned done_[3] = {};
};

} // namespace brontal
