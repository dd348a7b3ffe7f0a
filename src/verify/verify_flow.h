#pragma once
// Verifying the selected component: registry search, load test, then the
// search of the common folders.
namespace brontal {
class MainPanel;
}

namespace brontal::verify {

void verifyComponent(MainPanel& main);

} // namespace brontal::verify
