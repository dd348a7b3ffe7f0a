#include "panel/main_panel.h"

#include <cstdlib>

#include "ui/press_effect.h"
#include "ui/window_props.h"

namespace brontal {
namespace {

int number(const std::string& text) { return std::atoi(text.c_str()); }

} // namespace

MainPanel::MainPanel(Services services) : services_(std::move(services)) {
    TimerMensagem.onTick = [this] {
        if (txtRegistrado.text() == messageToClear) {
            txtRegistrado.setText("");
            txtRegistrado.setTip("");
        }
        TimerMensagem.setEnabled(false);
    };
}

MainPanel::~MainPanel() = default;

std::vector<FolderSlot> MainPanel::slots() const { return slotsFrom(windowsIs64() ? fourSlots : twoSlots); }

bool MainPanel::windowsIs64() const { return number(lbl64bits.text()) == 1; }
bool MainPanel::elevated() const { return number(lblAdminMode.text()) != 0; }

bool MainPanel::fileSelected() const {
    std::string name = txtFile.text();
    return !name.empty() && name != lblTxtFileIni.text();
}

std::string MainPanel::selectedPath() const { return lblDirAddress.text() + lblFileAddress.text(); }

void MainPanel::ShowErrorMessage(const std::string& text) {
    txtRegistrado.setForeColor(ui::kDarkRed);
    txtRegistrado.setText(text);
    txtRegistrado.setTip("");
    messageToClear = txtRegistrado.text();
    TimerMensagem.setInterval(3000);
    TimerMensagem.setEnabled(true);
}

void MainPanel::desceBotao(ui::Control& botao) { ui::pressDown(botao, lblPosTop1, lblPosLeft1); }

void MainPanel::sobeBotao(ui::Control& botao) { ui::release(botao); }

void MainPanel::desceBotoes(ui::Control& botao1, ui::Control& botao2) {
    ui::pressDown(botao1, lblPosTop1, lblPosLeft1);
    ui::pressDown(botao2, lblPosTop2, lblPosLeft2);
}

void MainPanel::sobeBotoes(ui::Control& botao1, ui::Control& botao2) {
    ui::release(botao1);
    ui::release(botao2);
}

void MainPanel::finished(Done what) {
    static constexpr const wchar_t* kProps[] = {ui::kVerificationsDoneProp, ui::kSearchesDoneProp,
                                                ui::kRegistrationsDoneProp};
    int i = static_cast<int>(what);
    ui::publishCount(hwnd(), kProps[i], ++done_[i]);
}

} // namespace brontal
