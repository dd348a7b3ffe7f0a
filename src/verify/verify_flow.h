#pragma once
// Verifying the selected component: registry search, load test, then the
// search of the common folders.
namespace brontal {
class MainWindow;
}

namespace brontal::verify {

void verifyComponent(MainWindow& main);

} // namespace brontal::verify
