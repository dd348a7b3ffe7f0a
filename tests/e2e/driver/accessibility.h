#pragma once
// What a screen reader hears of a window of the program: asked from this
// process through the accessibility interface, as an assistive tool asks.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

struct Heard {
    std::string name;
    long role = 0;    // ROLE_SYSTEM_*
    long state = 0;   // STATE_SYSTEM_*
};
// The client object of the window; nothing when no object answers.
std::optional<Heard> hear(HWND hwnd);

// The children of a form that Tab can reach: tab stops that are visible
// windows; with hiddenToo, the tab stops out of sight as well.
std::vector<Ui> tabStops(const Ui& form, bool hiddenToo = false);
// Children shown as visible windows though they lie outside the client area
// of their parent.
std::vector<Ui> visibleOutsideParent(const Ui& form);

} // namespace e2e
