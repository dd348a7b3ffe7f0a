#pragma once
// What a screen reader is told about a control: the system's own accessible
// object for its window, with the name and role the control is known by.
// Icon buttons and pictures have no text of their own, and labels drawn by
// the form read as a plain "client" otherwise.
#include <windows.h>

#include <string>

namespace brontal::ui {

struct AccessibleFacts {
    std::wstring name;
    std::wstring description;   // the tooltip, where it says more than the name
    long role = 0;              // ROLE_SYSTEM_*
    bool focusable = false;
    bool checked = false;
    bool readOnly = false;
};

// Answers WM_GETOBJECT. Only the client object is ours; everything else is
// the system's (the answer 0 lets it make its own). facts is asked again on
// every question, so names that change (a tooltip) are read as they are.
LRESULT answerGetObject(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleFacts (*facts)(HWND));

} // namespace brontal::ui
