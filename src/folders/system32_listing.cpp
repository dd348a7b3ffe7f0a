#include "folders/system32_listing.h"

#include "app/main_window.h"
#include "core/pe_probe.h"
#include "inspect/file_panel.h"
#include "platform/files.h"
#include "verify/verify_flow.h"

namespace brontal::folders {
namespace {

void onList1Click(MainWindow& main) {
    ui::Form& f = main;
    int index = f["List1"].selectedIndex();
    if (index < 0) return;
    f["btnVer"].setEnabled(true);
    std::string name = f["List1"].item(index);
    f["txtFile"].setForeColor(ui::kRgbBlack);
    f["txtFile"].setText(name);
    f["txtFile"].setTip(name);
    f["lblFileAddress"].setText(name);
    std::string path = main.selectedPath();
    // A subfolder of System32 has no size or bitness of its own: its fields stay empty.
    if (auto facts = inspect::readFileFacts(path)) {
        f["txtKB"].setText(facts->size);
        f["lblFileData"].setText(facts->date);
        f["lblb"].setText(bitnessText(inspect::IsPe64Bit(main, main.services(), path)));
    } else {
        f["txtKB"].setText("");
        f["lblFileData"].setText("");
        f["lblb"].setText("");
    }
    f["txtRegistrado"].setText("");
    inspect::comparisonPanelClear(main);
    f["imgCharge"].setTip("");
    f["imgCharge"].setPicture(f["imgCharge1"].picture());
    f["lstArquivos"].clear();
}

} // namespace

void ListSysnativeFolder(MainWindow& main) {
    std::vector<std::string> names;
    platform::listFolder("C:\\Windows\\Sysnative", [&](const platform::FolderItem& item) { names.push_back(item.name); });
    ui::Control& list = main["List1"];
    list.setRedraw(false);
    list.clear();
    for (const std::string& n : names) list.addItem(n);
    list.setRedraw(true);
}

void wireSystem32Listing(MainWindow& main) {
    ui::Control& list = main["List1"];
    list.onClick = [&main] { onList1Click(main); };
    list.onKeyPress = [&main](int ch) {
        if (ch != 13) return false;
        verify::verifyComponent(main);
        return true;
    };
}

} // namespace brontal::folders
