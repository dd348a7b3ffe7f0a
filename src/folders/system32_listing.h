#pragma once
// On 64-bit Windows this 32-bit program sees SysWOW64 when it lists System32;
// the listing of List1 goes through the Sysnative alias to show the real one.
namespace brontal {
class MainWindow;
}

namespace brontal::folders {

void ListSysnativeFolder(MainWindow& main);
void wireSystem32Listing(MainWindow& main);

} // namespace brontal::folders
