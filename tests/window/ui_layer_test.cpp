// The window layer: what the forms rely on of it, whatever order a form
// makes its controls in.
#include <gtest/gtest.h>

#include <windows.h>

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
    ui::FormArgs args;
    args.name = "Camadas";
    args.width = 4000;
    args.height = 3000;
    ui::Form form(args);
    auto& early = form.add({.name = "lblAntes", .left = 100, .top = 100, .width = 3000, .height = 800, .text = "antes"});
    auto& box = form.add({.name = "txtCaixa", .kind = ui::ControlKind::TextBox, .left = 200, .top = 300,
                          .width = 2000, .height = 300});
    auto& button = form.add({.name = "btnBotao", .kind = ui::ControlKind::Button, .left = 200, .top = 700,
                             .width = 1000, .height = 400, .text = "Sim"});
    auto& late = form.add({.name = "lblDepois", .left = 100, .top = 200, .width = 3000, .height = 1200,
                           .text = "depois"});
    auto& picture = form.add({.name = "imgFigura", .kind = ui::ControlKind::Picture, .left = 150, .top = 250,
                              .width = 300, .height = 300});
    for (const ui::Control* surface : {&early, &late, &picture}) {
        EXPECT_LT(depth(box), depth(*surface)) << surface->name();
        EXPECT_LT(depth(button), depth(*surface)) << surface->name();
    }
    // Among themselves each kind keeps the order it was made in.
    EXPECT_LT(depth(box), depth(button));
    EXPECT_LT(depth(early), depth(late));
    EXPECT_LT(depth(late), depth(picture));
}

} // namespace
