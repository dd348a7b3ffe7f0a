#include "windows/main_place.h"

#include "ui/events.h"

namespace brontal::windows {
namespace {

// Where the window stands when it is not minimised: a minimised window reports
// a parking place off the screen, and the main window must not be sent there.
POINT restoredTopLeft(const ui::Form& form) {
    if (form.minimized()) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(form.hwnd(), &placement))
            return {ui::pixelsToTwips(placement.rcNormalPosition.left),
                    ui::pixelsToTwips(placement.rcNormalPosition.top)};
    }
    return {form.left(), form.top()};
}

} // namespace

void showInMainPlace(ui::Form& main, std::unique_ptr<ui::Form>& slot, std::unique_ptr<ui::Form> form) {
    main.hide();
    if (slot && slot->isOpen()) {
        // Already standing in; the new one is not wanted.
        slot->show();
        return;
    }
    ui::Form* self = form.get();
    self->onUnload = [&main, self] {
        POINT place = restoredTopLeft(*self);
        main.setTop(place.y);
        main.setLeft(place.x);
        self->hide();
        // While the program itself is closing there is nothing to show again.
        if (main.isOpen()) main.show();
    };
    // Runs after the window is gone, when the main window may be gone too
    // (its destructor takes its windows with it), and a newer window may stand
    // in the slot: only a closed one is let go, and only by a living owner.
    HWND owner = main.hwnd();
    self->onClosed = [&main, &slot, owner] {
        if (ui::Form::fromHwnd(owner) != &main) return;
        if (slot && !slot->isOpen()) ui::releaseWhenIdle(std::move(slot));
    };
    slot = std::move(form);
    self->setTop(main.top());
    self->setLeft(main.left());
    self->show();
}

void dragBySurface(ui::Form& form) {
    struct Anchor {
        int x = 0, y = 0;
        bool held = false;
    };
    auto anchor = std::make_shared<Anchor>();
    form.onMouseDown = [anchor](const ui::MouseEvent& e) {
        if (e.button != 1) return;
        anchor->x = e.x;
        anchor->y = e.y;
        anchor->held = true;
    };
    // Without a press on the surface there is no anchor: a button dragged in
    // from elsewhere must not make the window jump.
    form.onMouseMove = [&form, anchor](const ui::MouseEvent& e) {
        if (e.button != 1 || !anchor->held) return;
        form.moveTo(form.left() + (e.x - anchor->x), form.top() + (e.y - anchor->y));
    };
    form.onMouseUp = [anchor](const ui::MouseEvent& e) {
        if (e.button == 1) anchor->held = false;
    };
}

void holdSize(ui::Form& form, int width, int height) {
    form.onResize = [&form, width, height] {
        if (form.minimized()) return;
        if (form.height() != height || form.width() != width) form.setSize(width, height);
    };
}

} // namespace brontal::windows
