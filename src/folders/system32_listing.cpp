#include "folders/system32_listing.h"

#include "core/pe_probe.h"
#include "folders/comparison_panel.h"
#include "platform/files.h"

namespace brontal::folders {
namespace {

void onList1Click(MainPanel& main) {
    int index = main.List1.selectedIndex();
    if (index < 0) return;
    main.btnVer.setEnabled(true);
    std::string name = main.List1.item(index);
    main.txtFile.setForeColor(ui::kRgbBlack);
    main.txtFile.setText(name);
    main.txtFile.setTip(name);
    main.lblFileAddress.setText(name);
    std::string path = main.selectedPath();
    // A subfolder of System32 has no size or bitness of its own: its fields stay empty.
    if (auto facts = readFileFacts(path)) {
        main.txtKB.setText(facts->size);
        main.lblFileData.setText(facts->date);
        main.lblb.setText(bitnessText(IsPe64Bit(main.lblb, main.services(), path)));
    } else {
        main.txtKB.setText("");
        main.lblFileData.setText("");
        main.lblb.setText("");
    }
    main.txtRegistrado.setText("");
    main.txtRegistrado.setTip("");
    comparisonPanelClear(main);
    main.imgCharge.setTip("");
    main.imgCharge.setPicture(main.imgCharge1.picture());
    main.lstArquivos.clear();
}

} // namespace

void ListSysnativeFolder(MainPanel& main) {
    std::vector<std::string> names;
    platform::listFolder("C:\\Windows\\Sysnative", [&](const platform::FolderItem& item) { names.push_back(item.name); });
    ui::Control& list = main.List1;
    list.setRedraw(false);
    list.clear();
    for (const std::string& n : names) list.addItem(n);
    list.setRedraw(true);
}

void wireSystem32Listing(MainPanel& main) {
    main.List1.onClick = [&main] { onList1Click(main); };
    main.List1.onKeyPress = [&main](int ch) {
        if (ch != 13) return false;
        main.verifyComponent();
        return true;
    };
}

} // namespace brontal::folders
