#include "windows/admin_notice.h"

#include "panel/main_panel.h"
#include "ui/events.h"

namespace brontal::windows {
namespace {

ui::FormArgs noticeFormArgs(const MainPanel& main) {
    ui::FormArgs a;
    a.name = "Form8";
    a.clientWidth = 3495;
    a.clientHeight = 2235;
    a.backColor = ui::systemColor(COLOR_WINDOW);
    a.dialogFrame = true;
    a.minimizeBox = false;
    a.ownedByMain = true;
    a.owner = main.hwnd();
    return a;
}

} // namespace

AdminNotice::AdminNotice(MainPanel& main) : ui::Form(noticeFormArgs(main)) {
    moveTo(main.left() + (main.width() - width()) / 2, main.top() + 1460);
    setIcon(main.iconSoftware.picture());

    // Showing activates the window, and activation gives the focus to the
    // window itself: the hidden button takes it back as soon as the notice's
    // loop runs, before any key that is already waiting.
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) btnFoco.setFocus();
    });
}

ui::ControlArgs AdminNotice::paragraph(int left, int top, int width, int height, std::string text) {
    return ui::label(left, top, width, height, std::move(text))
        .withFore(ui::systemColor(COLOR_GRAYTEXT))
        .aligned(ui::Align::Center);
}

void showAdminNotice(MainPanel& main) {
    AdminNotice notice(main);
    notice.showModal();
}

} // namespace brontal::windows
