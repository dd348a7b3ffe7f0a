#pragma once
// Form1, the main window: the hub of every action. It is the panel every room
// sees (panel/main_panel.h) and puts the rooms together: it wires the events
// of its controls to them and provides the operations of one room that
// another starts.
#include <string>
#include <vector>

#include "panel/main_panel.h"

namespace brontal {

class MainWindow final : public MainPanel {
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;

    // The load steps; run once, before the window is first shown.
    void load();

    void OpenFolder(const std::string& folderPath);
    // After load: the browser on a folder, or on a file's folder with the
    // file chosen. path is whole and exists.
    void openPath(const std::string& path);
    void UnloadAllForms();

    void verifyComponent() override;
    std::string dirListPath() const override;
    void setDirListPath(const std::string& path) override;
    void openDirListEntry(int index) override;
    void setDrive(const std::string& root);

private:
    void wireEvents();
    void onResized();
    void fitModeLine();
    bool onKey(int vk);

    std::vector<std::string> dirPaths_;   // the full path of every DirList entry
    std::string dirPath_;
};

} // namespace brontal
