#pragma once
// On 64-bit Windows this 32-bit program sees SysWOW64 when it lists System32;
// the listing of List1 goes through the Sysnative alias to show the real one.
#include "panel/main_panel.h"

namespace brontal::folders {

void ListSysnativeFolder(MainPanel& main);
void wireSystem32Listing(MainPanel& main);

} // namespace brontal::folders
