#pragma once
// Form3, the component report: the selected file's facts, the common folders
// in which the last search found namesakes, the facts of the copy in a chosen
// folder and the running Windows; all of it can go to the clipboard. It stands
// in the main window's place while it is open.
#include <string>

#include "ui/form.h"

namespace brontal {
class MainWindow;
}

namespace brontal::report {

inline constexpr char kCopiedMessage[] = "Dados copiados.";
inline constexpr char kCopyFailedMessage[] = "Não foi possível copiar os dados.";
inline constexpr char kCopyUnreadableStatus[] = "Não foi possível ler o arquivo.";

class ReportWindow : public ui::Form {
public:
    explicit ReportWindow(MainWindow& main);

    // Opens the folder in the shell; what the shell answers changes nothing.
    void OpenFolder(const std::string& folderPath);
    // lblMensagem shows text for one second.
    void ShowStatusMessage(const std::string& text);
    // Press effect of btnCopyAll: 15 twips right and down, and back.
    void desceBotao(ui::Control& botao);
    void sobeBotao(ui::Control& botao);
    // The bitness probe, emptying this window's own lblb on files it cannot classify.
    bool IsPe64Bit(const std::string& path);
    // Name, service pack and version number of the running Windows.
    static std::string GetActualWindowsVersion();

    // The lstPastas click and double click, and the btnCopyAll click.
    void showCopyFacts(int index);
    void openListedFolder(int index);
    void copyAll();

private:
    void createControls();
    void load();
    void wireEvents();
    bool windows64() const;
    std::string readPathOf(const std::string& listedFolder) const;

    MainWindow& main_;
    bool copyPressed_ = false;
};

// btnFile: the main window hides and the report stands in its place, filled
// from the main window's state at this moment.
void openReportWindow(MainWindow& main);

} // namespace brontal::report
