#pragma once
// The search of the common folder trees for files of the selected name, with
// its progress in the slots and the hit list lstArquivos.
#include <string>

namespace brontal {
class MainWindow;
}

namespace brontal::folders {

// The whole search: browser disabled, every slot searched and filled, the
// browser enabled again.
void runFolderSearch(MainWindow& main, const std::string& name);
// The verify button pressed during a search.
void stopFolderSearch(MainWindow& main);
// Step 6 of the search's end, also the verify flow's final step.
void settleSearchIndicators(MainWindow& main);
void FillFolderSlot(MainWindow& main, const std::string& folder, int slot);
bool SearchFolderTree(MainWindow& main, const std::string& folder, const std::string& name, int slot);
void wireFolderSearch(MainWindow& main);

} // namespace brontal::folders
