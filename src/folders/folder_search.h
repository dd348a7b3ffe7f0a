#pragma once
// The search of the common folder trees for files of the selected name, with
// its progress in the slots and the hit list lstArquivos.
#include <string>
#include <vector>

#include "folders/tree_search.h"
#include "panel/main_panel.h"

namespace brontal::folders {

// The whole search: browser disabled, every slot searched and filled, the
// browser enabled again.
void runFolderSearch(MainPanel& main, const std::string& name);
// The verify button pressed during a search.
void stopFolderSearch(MainPanel& main);
// Step 6 of the search's end, also the verify flow's final step.
void settleSearchIndicators(MainPanel& main);
void FillFolderSlot(MainPanel& main, const std::string& folder, int slot);
bool SearchFolderTree(MainPanel& main, const std::string& folder, const std::string& name, int slot);
// The same walk of the slots' folders without a window: nobody to show its
// progress to and nobody to stop it; the hits in the order the window's hit
// list gets them.
std::vector<std::string> collectHits(const std::vector<FolderSlot>& slots, const std::string& name);
// Folder listings for the portable walks, through platform::listFolder.
ListEntries folderListing();
// The same for a set of names, each slot's tree walked once for all of them:
// result[i] is what collectHits gives for names[i].
std::vector<std::vector<std::string>> collectHitsOfNames(const std::vector<FolderSlot>& slots,
                                                         const std::vector<std::string>& names);
// A size label's blink: black and grey in turns.
void BlinkLabel(ui::Control& label);
// The search indicator's and the slot labels' blinks, and the hit list's click.
void wireFolderSearch(MainPanel& main);

} // namespace brontal::folders
