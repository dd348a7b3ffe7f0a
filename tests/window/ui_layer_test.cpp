// The window layer's z-order, whatever order a form makes its controls in; a
// form released from its own handler outlives that handler.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ui/events.h"
#include "ui/form.h"

namespace ui = brontal::ui;

namespace {

// Index in the form's z-order, 0 at the top.
int depth(const ui::Control& c) {
    int i = 0;
    for (HWND w = GetWindow(GetParent(c.hwnd()), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT), ++i)
        if (w == c.hwnd()) return i;
    return -1;
}

TEST(UiLayer, BoxesListsAndButtonsStandAboveLabelsAndPictures) {
    ui::Form form({.name = "Camadas", .width = 4000, .height = 3000});
    auto add = [&](const char* name, ui::ControlKind kind, int top) -> ui::Control& {
        return form.add({.name = name, .kind = kind, .left = 100, .top = top, .width = 2000, .height = 800});
    };
    // The surfaces overlap the box and the button, before and after them.
    auto& early = add("lblAntes", ui::ControlKind::Label, 100);
    auto& box = add("txtCaixa", ui::ControlKind::TextBox, 300);
    auto& button = add("btnBotao", ui::ControlKind::Button, 700);
    auto& late = add("lblDepois", ui::ControlKind::Label, 200);
    auto& picture = add("imgFigura", ui::ControlKind::Picture, 250);
    for (const ui::Control* surface : {&early, &late, &picture}) {
        EXPECT_LT(depth(box), depth(*surface)) << surface->name();
        EXPECT_LT(depth(button), depth(*surface)) << surface->name();
    }
    // Among themselves each kind keeps the order it was made in.
    EXPECT_LT(depth(box), depth(button));
    EXPECT_LT(depth(early), depth(late));
    EXPECT_LT(depth(late), depth(picture));
}

// A form that says when it is deleted. The flags outlive it, so that a form
// deleted too early fails the test rather than the process.
bool gone = false, goneInHandler = true;
std::unique_ptr<ui::Form> released;

struct Watched : ui::Form {
    Watched() : ui::Form({.name = "Vigiada", .width = 2000, .height = 2000}) {}
    ~Watched() override { gone = true; }
};

TEST(UiLayer, AFormReleasedFromItsOwnHandlerLivesUntilTheLoopIsIdle) {
    released = std::make_unique<Watched>();
    ui::Form& self = *released;
    self.onKeyDown = [](int) {
        ui::releaseWhenIdle(std::move(released));
        goneInHandler = gone;   // the handler still runs on the form's stack
        return true;
    };
    self.setKeyPreview(true);
    MSG key{self.hwnd(), WM_KEYDOWN, VK_SPACE, 0, 0, {}};
    ui::dispatchMessage(key);
    EXPECT_FALSE(goneInHandler) << "deleted under its own handler";
    EXPECT_FALSE(gone) << "deleted before the loop was idle";
    ui::releaseIdleForms();
    EXPECT_TRUE(gone) << "never released";
}

} // namespace
