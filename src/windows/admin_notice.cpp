#include "windows/admin_notice.h"

#include "app/main_window.h"
#include "ui/events.h"

namespace brontal::windows {
namespace {

using ui::Align;
using ui::ControlArgs;
using ui::ControlKind;

ControlArgs paragraph(std::string name, int l, int t, int w, int h, std::string text) {
    ControlArgs a;
    a.name = std::move(name);
    a.left = l, a.top = t, a.width = w, a.height = h;
    a.text = std::move(text);
    a.foreColor = ui::systemColor(COLOR_GRAYTEXT);
    a.align = Align::Center;
    return a;
}

ui::FormArgs noticeFormArgs(const MainWindow& main) {
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

AdminNotice::AdminNotice(MainWindow& main) : ui::Form(noticeFormArgs(main)) {
    // Made first, so it is first in the tab order and holds the focus. It lies
    // below the client area and does nothing: Enter and Space land on it.
    ControlArgs focus;
    focus.name = "btnFoco";
    focus.kind = ControlKind::Button;
    focus.left = 1200, focus.top = 2520, focus.width = 1095, focus.height = 495;
    focus.text = "Command1";
    add(focus);

    addShape({.name = "Shape1", .left = 260, .top = 90, .width = 3000, .height = 330, .backColor = ui::kDarkRed,
              .border = false, .rounded = true});
    ControlArgs heading;
    heading.name = "Label3";
    heading.left = 210, heading.top = 145, heading.width = 3105, heading.height = 240;
    heading.text = "ATENÇÃO!";
    heading.foreColor = ui::kRgbWhite;
    heading.font.bold = true;
    heading.align = Align::Center;
    add(heading);

    // Each paragraph's box reaches into the top of the next one; made last
    // to first, the lower ones lie above and keep their first line whole.
    add(paragraph("Label2(2)", 210, 1830, 3045, 450, "Leia os ReadMes para entender melhor."));
    add(paragraph("Label2(1)", 240, 1320, 3045, 450,
                  "De outra forma, as operações ocorrerão sem privilégios de admin."));
    add(paragraph("Label2(0)", 225, 460, 3045, 930,
                  "As operações no Brontal acontecem de maneira herdada, portanto, se você entra no programa em "
                  "modo administrador, as operações acontecerão nesse modo. "));

    moveTo(main.left() + (main.width() - width()) / 2, main.top() + 1460);
    setIcon(main["iconSoftware"].picture());

    // Showing activates the window, and activation gives the focus to the
    // window itself: the hidden button takes it back as soon as the notice's
    // loop runs, before any key that is already waiting.
    HWND window = hwnd();
    ui::runLater([this, window] {
        if (Form::fromHwnd(window) == this) (*this)["btnFoco"].setFocus();
    });
}

void showAdminNotice(MainWindow& main) {
    AdminNotice notice(main);
    notice.showModal();
}

} // namespace brontal::windows
