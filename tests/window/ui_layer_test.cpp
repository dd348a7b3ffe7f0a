// The window layer's z-order, whatever order a form makes its controls in; a
// form released from its own handler outlives that handler; the tips; labels
// out of sight that get their windows late; labels painted by their form.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "ui/events.h"
#include "ui/form.h"
#include "ui/window_props.h"

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

BOOL CALLBACK findTipWindow(HWND w, LPARAM data) {
    auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(data);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (GetWindow(w, GW_OWNER) == found->first && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

HWND tipWindowOf(const ui::Form& form) {
    std::pair<HWND, HWND> found{form.hwnd(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findTipWindow, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

std::wstring tipShownFor(HWND tips, const ui::Form& form, const ui::Control& c) {
    wchar_t text[128] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = form.hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(c.hwnd());
    info.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST(UiLayer, TipsComeWithThePointerAndFollowTheirControls) {
    ui::Form form({.name = "Dicas", .width = 4000, .height = 3000});
    auto& button = form.add({.name = "btnUm", .kind = ui::ControlKind::Button, .left = 100, .top = 100,
                             .width = 1000, .height = 400, .tip = " Um "});
    auto& label = form.add({.name = "lblDois", .kind = ui::ControlKind::Label, .left = 100, .top = 700,
                            .width = 1000, .height = 300, .tip = " Dois "});
    auto& box = form.add({.name = "txtTres", .kind = ui::ControlKind::TextBox, .left = 100, .top = 1200,
                          .width = 1000, .height = 300});
    box.setTip(" Três ");   // given before the pointer came
    EXPECT_EQ(tipWindowOf(form), nullptr) << "made before anything could show it";

    // The pointer over a system control: its question reaches the form,
    // which makes its tip window once the program is idle.
    SendMessageW(button.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(tipWindowOf(form), nullptr) << "made while the program was busy";
    HWND tips = nullptr;
    for (ULONGLONG end = GetTickCount64() + 3000; !(tips = tipWindowOf(form)) && GetTickCount64() < end;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ui::dispatchMessage(msg);
        Sleep(5);
    }
    ASSERT_NE(tips, nullptr) << "no tip window once the pointer came";
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
    EXPECT_EQ(tipShownFor(tips, form, button), L" Um ");
    EXPECT_EQ(tipShownFor(tips, form, box), L" Três ");

    // A tip changed afterwards is the one shown; one window serves the form.
    label.setTip(" Quatro ");
    SendMessageW(label.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(tipWindowOf(form), tips);
    EXPECT_EQ(tipShownFor(tips, form, label), L" Quatro ");
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST(UiLayer, ALabelOutOfSightGetsItsWindowInItsPlaceWhenItComes) {
    ui::Form form({.name = "Tardia", .width = 4000, .height = 3000});
    auto add = [&](const char* name, int top, bool visible = true) -> ui::Control& {
        ui::ControlArgs a{.name = name, .left = 100, .top = top, .width = 2000, .height = 300, .text = "0"};
        a.visible = visible;
        return form.add(a);
    };
    auto& above = add("lblAcima", 100);
    auto& parked = add("lblGuardada", 9000);   // below the client area
    auto& below = add("lblAbaixo", 200);
    auto& hidden = add("lblOculta", 300, false);
    auto& withdrawn = add("lblRecolhida", 500);
    ASSERT_NE(above.hwnd(), nullptr);
    EXPECT_EQ(parked.hwnd(), nullptr) << "a window made for a label out of sight";

    // Windows made before the form shows come into sight with it, those
    // withdrawn meanwhile excepted.
    withdrawn.setVisible(false);
    form.show();
    EXPECT_TRUE(IsWindowVisible(above.hwnd())) << "a label in sight with no visible window";
    EXPECT_TRUE(IsWindowVisible(below.hwnd()));
    ASSERT_NE(withdrawn.hwnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(withdrawn.hwnd())) << "a label hidden before the form showed came with it";

    // What it is told meanwhile is what it shows when it comes.
    parked.setText("1");
    parked.setEnabled(false);
    EXPECT_EQ(parked.text(), "1");
    parked.setTop(400);
    ASSERT_NE(parked.hwnd(), nullptr) << "no window once in sight";
    EXPECT_TRUE(GetWindowLongW(parked.hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowEnabled(parked.hwnd()));
    wchar_t text[8] = {};
    GetWindowTextW(parked.hwnd(), text, 8);
    EXPECT_STREQ(text, L"1");
    // Between the labels made before and after it, as if made in its turn.
    EXPECT_LT(depth(above), depth(parked));
    EXPECT_LT(depth(parked), depth(below));

    // An observer finds every control, those out of sight too, by its name.
    EXPECT_EQ(hidden.hwnd(), nullptr);
    SendMessageW(form.hwnd(), ui::observeMessage(), 0, 0);
    ASSERT_NE(hidden.hwnd(), nullptr) << "out of an observer's reach";
    EXPECT_FALSE(GetWindowLongW(hidden.hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_NE(GetPropW(hidden.hwnd(), ui::kNameProp), nullptr);
    EXPECT_LT(depth(below), depth(hidden));
}

COLORREF pixelAt(const ui::Control& c, int x, int y) {
    HDC dc = GetDC(c.form().hwnd());
    POINT p{x, y};
    MapWindowPoints(c.hwnd(), c.form().hwnd(), &p, 1);
    COLORREF colour = GetPixel(dc, p.x, p.y);
    ReleaseDC(c.form().hwnd(), dc);
    return colour;
}

TEST(UiLayer, TheFormPaintsItsLabelsTheElderAboveAndAgainWhenOneChanges) {
    ui::Form form({.name = "Pintura", .width = 4000, .height = 3000});
    constexpr ui::OleColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;
    auto& elder = form.add(ui::ControlArgs{.name = "lblMaisVelha", .left = 300, .top = 300, .width = 900,
                                           .height = 600}.opaqueIn(kBlue));
    auto& younger = form.add(ui::ControlArgs{.name = "lblMaisNova", .left = 600, .top = 600, .width = 900,
                                             .height = 600}.opaqueIn(kRed));
    form.show();
    UpdateWindow(form.hwnd());
    EXPECT_EQ(pixelAt(elder, 2, 2), kBlue);
    EXPECT_EQ(pixelAt(younger, 30, 20), kRed) << "a label its form does not paint";
    EXPECT_EQ(pixelAt(younger, 2, 2), kBlue) << "the younger label painted over the elder";
    younger.setBackColor(kGreen);
    UpdateWindow(form.hwnd());
    EXPECT_EQ(pixelAt(younger, 30, 20), kGreen) << "a change its form did not repaint";
}

} // namespace
