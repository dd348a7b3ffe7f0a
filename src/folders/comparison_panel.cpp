#include "folders/comparison_panel.h"

#include "core/file_facts.h"
#include "core/pe_probe.h"
#include "platform/files.h"
#include "platform/user_locale.h"

namespace brontal::folders {

std::optional<FileFactsTexts> readFileFacts(const std::string& path) {
    std::optional<platform::FileInfo> info = platform::fileInfo(path);
    if (!info || info->isFolder) return std::nullopt;
    return FileFactsTexts{sizeText(info->size, platform::userNumberFormat()),
                          dateText(info->lastWrite, platform::userDateSeparator(), platform::userTimeSeparator())};
}

bool IsPe64Bit(ui::Control& lblb, Services& services, const std::string& path) {
    std::optional<PeVerdict> verdict = platform::probeFile(path);
    if (!verdict || verdict->kind == PeKind::NotPe) {
        lblb.setText("");
        return false;
    }
    if (verdict->kind == PeKind::OtherMachine) {
        services.messageBox(lblb.form().hwnd(), unknownArchitectureMessage(verdict->machine), "Brontal32",
                            MB_OK | MB_ICONERROR);
        return false;
    }
    return verdict->is64();
}

void comparisonPanelClear(MainPanel& main) {
    for (ui::Control* label : {&main.lblSystem32data, &main.lblSystem32KB, &main.lblSystem32b, &main.lblSysWOW64data,
                               &main.lblSysWOW64KB, &main.lblSysWOW64b, &main.lblCommonFilesdata,
                               &main.lblCommonFilesKB, &main.lblCommonFilesb, &main.lblCommonFilesX86data,
                               &main.lblCommonFilesX86KB, &main.lblCommonFilesX86b}) {
        label->setText("");
        label->setTip("");   // the version of a copy no longer shown
    }
    std::string folder = main.imgPasta1.picture();
    for (ui::Control* image : {&main.imgSystem32, &main.imgSysWOW64, &main.imgCommonFiles, &main.imgCommonFilesX86})
        image->setPicture(folder);
}

} // namespace brontal::folders
