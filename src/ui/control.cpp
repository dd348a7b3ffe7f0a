#include "ui/control.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <stdexcept>
#include <vector>

#include "platform/text.h"
#include "ui/accessible.h"
#include "ui/events.h"
#include "ui/form.h"
#include "ui/pictures.h"
#include "ui/window_class.h"
#include "ui/window_props.h"

namespace brontal::ui {
namespace {

constexpr wchar_t kSurfaceClass[] = L"BrontalSurface";

LRESULT CALLBACK surfaceProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Control* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self && self->published()) unpublishAll(hwnd);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        return self->handleOwnMessage(hwnd, msg, wp, lp);
    } catch (...) {
        reportFailure(self->name() + " handling message " + std::to_string(msg));
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

void registerSurfaceClass() {
    static const bool registered = registerWindowClass(kSurfaceClass, surfaceProc);
    (void)registered;
}

bool onSurface(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Picture; }

std::string trimmed(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

Control* controlOf(HWND hwnd) {
    Form* form = Form::fromHwnd(GetParent(hwnd));
    return form ? form->controlByHwnd(hwnd) : nullptr;
}

AccessibleFacts accessibleFactsOf(HWND hwnd) {
    AccessibleFacts f;
    Control* c = controlOf(hwnd);
    if (!c) return f;
    f.name = c->accessibleName();
    f.description = widen(trimmed(c->tip()));
    f.role = c->accessibleRole();
    f.focusable = (GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0 || c->actsAsButton();
    f.checked = c->kind() == ControlKind::CheckBox && c->checked();
    f.readOnly = c->kind() == ControlKind::TextBox;
    return f;
}

// A window shown sends WM_NCPAINT to every child at once; one without a
// frame (a label, a picture, a button) is all client area and has nothing to draw.
bool hasFrame(HWND hwnd) {
    LONG style = GetWindowLongW(hwnd, GWL_STYLE), exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL)) != 0 ||
           (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME)) != 0;
}

} // namespace

// Boxes, lists and buttons are the system's classes: they answer screen
// readers through this subclass. It is our own, not comctl32's
// SetWindowSubclass, which looks its table up in a window property on every
// message: under Wine a trip to the window server each time.
LRESULT CALLBACK Control::windowedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    WNDPROC system = self ? self->systemProc_ : reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
    if (self) self->form_.relayToTips(hwnd, msg, wp, lp);
    if (msg == WM_GETOBJECT) {
        if (LRESULT answer = answerGetObject(hwnd, wp, lp, &accessibleFactsOf)) return answer;
    } else if (msg == WM_NCPAINT && !hasFrame(hwnd)) {
        return 0;
    } else if (msg == WM_NCDESTROY && self) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self->published_) unpublishAll(hwnd);
    }
    return CallWindowProcW(system, hwnd, msg, wp, lp);
}

namespace {

// A form has a hundred controls in a handful of fonts: each font is made once.
HFONT sharedFont(const Font& font) {
    struct Made {
        std::wstring face;
        int height;
        bool bold;
        HFONT handle;
    };
    static std::vector<Made> made;
    int height = -MulDiv(static_cast<int>(font.points * 100 + 0.5), screenDpi(), 7200);
    for (const Made& m : made)
        if (m.height == height && m.bold == font.bold && m.face == font.face) return m.handle;
    HFONT handle = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                               font.face.c_str());
    if (handle) made.push_back({font.face, height, font.bold, handle});
    return handle;
}

} // namespace

Control::Control(Form& form, ControlArgs args, int id)
    : form_(form), args_(std::move(args)), id_(id), designTip_(args_.tip) {
    // Boxes and lists are window-coloured unless the form says otherwise.
    bool boxLike = args_.kind == ControlKind::TextBox || args_.kind == ControlKind::ListBox ||
                   args_.kind == ControlKind::ComboBox;
    if (boxLike && args_.backColor == systemColor(COLOR_BTNFACE)) args_.backColor = systemColor(COLOR_WINDOW);
    if (boxLike && args_.foreColor == systemColor(COLOR_BTNTEXT)) args_.foreColor = systemColor(COLOR_WINDOWTEXT);
    create();
}

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Control::detach() {
    // The form's window took ours with it. A handle value can be given to a
    // new window later, so none is kept; every operation is a no-op from now on.
    hwnd_ = nullptr;
    windowless_ = false;
    restore_ = nullptr;
}

void Control::lower(std::function<void()> restore) {
    if (!restore_) restore_ = std::move(restore);
}

void Control::raise() {
    if (!restore_) return;
    auto restore = std::move(restore_);
    restore_ = nullptr;
    restore();
}

bool Control::inSight() const {
    RECT client{}, placed{twipsToPixels(args_.left), twipsToPixels(args_.top),
                          twipsToPixels(args_.left + args_.width), twipsToPixels(args_.top + args_.height)};
    GetClientRect(form_.hwnd(), &client);
    RECT overlap;
    return args_.visible && IntersectRect(&overlap, &client, &placed);
}

void Control::create() {
    HWND parent = form_.hwnd();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const wchar_t* cls = kSurfaceClass;
    font_ = sharedFont(args_.font);
    // Parked below the client area (hidden state, a listing out of sight): not
    // a visible window, so neither Tab nor a screen reader finds it there.
    if (inSight()) style |= WS_VISIBLE;
    // A label or picture out of sight has no window at all until it comes
    // into sight or an observer asks for it (Form::observe): making windows is
    // most of what a start-up costs, and these would only wait.
    if (onSurface(args_.kind) && !(style & WS_VISIBLE) && !form_.observed()) {
        windowless_ = true;
        return;
    }
    // A label or picture in sight, made before its form is first shown,
    // gets its window shown after the form's (Form::show): showing the form
    // would send each child window its frame paint and erase, one after
    // another, for a surface the form paints whole anyway.
    if (onSurface(args_.kind) && !form_.everShown()) style &= ~WS_VISIBLE;
    if (!args_.enabled) style |= WS_DISABLED;
    if (args_.tabStop && (!onSurface(args_.kind) || args_.keyboardButton)) style |= WS_TABSTOP;
    if (args_.border == Border::Sunken) exStyle |= WS_EX_CLIENTEDGE;
    // Labels and pictures are painted by their form with its own surface, in
    // one pass: the form's clipping leaves them out of nothing.
    if (onSurface(args_.kind)) exStyle |= WS_EX_TRANSPARENT;
    if (args_.border == Border::Thin) style |= WS_BORDER;
    int height = args_.height;
    switch (args_.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
        registerSurfaceClass();
        break;
    case ControlKind::TextBox:
        cls = WC_EDITW;
        style |= ES_READONLY | ES_AUTOHSCROLL;
        if (args_.multiLine) style |= ES_MULTILINE;
        if (args_.align == Align::Center) style |= ES_CENTER;
        if (args_.align == Align::Right) style |= ES_RIGHT;
        break;
    case ControlKind::Button:
        cls = WC_BUTTONW;
        style |= BS_PUSHBUTTON | BS_NOTIFY;
        break;
    case ControlKind::PictureButton:
        // The picture comes as an image list with a face of its own for the
        // disabled state (refreshPicture); BS_ICON only where that is missing.
        cls = WC_BUTTONW;
        style |= BS_PUSHBUTTON | BS_NOTIFY;
        break;
    case ControlKind::CheckBox:
        cls = WC_BUTTONW;
        style |= BS_AUTOCHECKBOX | BS_NOTIFY;
        break;
    case ControlKind::ListBox:
        cls = WC_LISTBOXW;
        style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
        if (args_.ownerDrawList) style |= LBS_OWNERDRAWFIXED;
        if (args_.border == Border::None) exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ComboBox:
        cls = WC_COMBOBOXW;
        style |= CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL;
        if (args_.listHeight > height) height = args_.listHeight;
        break;
    }
    hwnd_ = CreateWindowExW(exStyle, cls, widen(args_.text).c_str(), style, twipsToPixels(args_.left),
                            twipsToPixels(args_.top), twipsToPixels(args_.width), twipsToPixels(height), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr),
                            onSurface(args_.kind) ? this : nullptr);
    if (!hwnd_) throw std::runtime_error("cannot create control " + args_.name);
    // Labels and pictures are drawn on the form: every box, list and button
    // stands above them, whatever the order they were made in. A new window
    // comes below its elder siblings; a windowed control is lifted to just
    // under the windowed control made before it.
    if (!onSurface(args_.kind)) {
        HWND above = form_.lastWindowedChild();
        SetWindowPos(hwnd_, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        form_.setLastWindowedChild(hwnd_);
    } else if (HWND younger = form_.surfaceWindowAfter(*this)) {
        // Made late, after younger labels had theirs: back to its place among them.
        SetWindowPos(hwnd_, GetWindow(younger, GW_HWNDPREV), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (!onSurface(args_.kind)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        systemProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::windowedProc)));
        if (!systemProc_) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            OutputDebugStringW((L"Brontal32: screen readers get no name for " + widen(args_.name) + L"\n").c_str());
        }
    }

    // Labels and pictures draw with font_ themselves; the system's controls are told.
    if (!onSurface(args_.kind)) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    if (!args_.tip.empty()) setTip(args_.tip);
    if (!args_.picture.empty()) refreshPicture();
    if (form_.observed()) publish();
    if (style & WS_VISIBLE) repaint(false);   // made late, in sight
}

void Control::publish() {
    if (!hwnd_) return;
    published_ = true;
    publishName(hwnd_, args_.name);
    ui::publishColor(hwnd_, kForeColorProp, args_.foreColor);
    if (!args_.tip.empty()) publishText(hwnd_, kTipProp, args_.tip);
    if (!args_.picture.empty()) publishText(hwnd_, kPictureProp, args_.picture);
}

// A form not yet shown is painted whole when it shows: until then each
// invalidation would only be a trip to the window server.
void Control::repaint(bool erase) {
    if (!hwnd_ || !form_.everShown()) return;
    if (!onSurface(args_.kind)) {
        InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
        return;
    }
    form_.invalidateSurface(placeOnForm());
}

RECT Control::placeOnForm() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::makeWindow() {
    if (!windowless_ || !form_.hwnd()) return;
    windowless_ = false;
    create();
}

std::string Control::text() const {
    if (windowless_) return args_.text;
    if (args_.kind == ControlKind::ComboBox) {
        int i = selectedIndex();
        return i >= 0 ? item(i) : std::string();
    }
    int n = GetWindowTextLengthW(hwnd_);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd_, buf.data(), n + 1);
    buf.resize(static_cast<size_t>(n > 0 ? n : 0));
    return narrow(buf);
}

void Control::setText(std::string_view text) {
    if (windowless_) args_.text = text;
    if (!hwnd_) return;
    SetWindowTextW(hwnd_, widen(text).c_str());   // a label repaints on WM_SETTEXT
}

void Control::setTip(std::string_view tip) {
    args_.tip = tip;
    if (!hwnd_) return;
    form_.setToolTip(hwnd_, tip);
    if (published_) publishText(hwnd_, kTipProp, tip);
}

void Control::setForeColor(OleColor color) {
    if (color == args_.foreColor) return;   // nothing to repaint
    args_.foreColor = color;
    if (!hwnd_) return;
    if (published_) ui::publishColor(hwnd_, kForeColorProp, color);
    repaint(!onSurface(args_.kind));
}

void Control::setBackColor(OleColor color) {
    args_.backColor = color;
    repaint(true);
}

void Control::setPicture(std::string_view id) {
    if (args_.picture == id) return;
    args_.picture = id;
    refreshPicture();
}

void Control::refreshPicture() {
    if (!hwnd_) return;
    if (published_) publishText(hwnd_, kPictureProp, args_.picture);
    if (args_.kind == ControlKind::PictureButton) {
        int size = MulDiv(16, screenDpi(), 96);
        // One face per button state, the disabled one greyed by us: the system's
        // own greying of an alpha icon is a flat grey block under Wine. The
        // button's states, in image-list order: normal, hot, pressed,
        // disabled, default, stylus-hot.
        constexpr int kStates = 6, kDisabled = 3;
        unique_hbitmap faces = makePictureStrip(args_.picture, size, kStates, kDisabled);
        images_.reset(ImageList_Create(size, size, ILC_COLOR32, kStates, 0));
        bool listed = images_ && faces && ImageList_Add(images_.get(), faces.get(), nullptr) == 0 &&
                      ImageList_GetImageCount(images_.get()) == kStates;
        BUTTON_IMAGELIST states{images_.get(), {0, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_CENTER};
        if (listed && SendMessageW(hwnd_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&states))) {
            repaint(true);
            return;
        }
        images_.reset();
        icon_ = makePictureIcon(args_.picture, size, size);
        SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) | BS_ICON);
        SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.get()));
    } else if (args_.kind == ControlKind::Picture) {
        // Drawn when first painted: the pictures kept out of sight, which
        // only lend their faces, are never drawn at all.
        icon_.reset();
        repaint(false);
    }
}

void Control::move(int left, int top, int width, int height) {
    args_.left = left;
    args_.top = top;
    args_.width = width;
    args_.height = height;
    if (windowless_) {
        showIfInside();   // made where it now stands, if that is in sight
        return;
    }
    if (!hwnd_) return;
    int h = args_.kind == ControlKind::ComboBox && args_.listHeight > height ? args_.listHeight : height;
    // The form's surface shows through labels and pictures: repaint where the
    // control was as well as where it goes.
    RECT before;
    GetWindowRect(hwnd_, &before);
    MapWindowPoints(nullptr, form_.hwnd(), reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(hwnd_, nullptr, twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(h),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    showIfInside();
    if (onSurface(args_.kind) && form_.everShown()) {
        form_.invalidateRect(before);
        repaint(false);
    }
}

bool Control::enabled() const { return windowless_ ? args_.enabled : IsWindowEnabled(hwnd_) != FALSE; }

void Control::setEnabled(bool enabled) {
    if (windowless_) args_.enabled = enabled;
    if (!hwnd_) return;
    if (enabled == this->enabled()) return;
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    if (onSurface(args_.kind)) repaint(false);
}

void Control::setVisible(bool visible) {
    args_.visible = visible;
    showIfInside();
}

void Control::showIfInside() {
    if (windowless_) {
        if (inSight()) makeWindow();
        return;
    }
    if (!hwnd_) return;
    bool show = inSight();
    bool shown = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (show == shown) return;
    if (show && onSurface(args_.kind) && !form_.everShown()) return;   // shown with the form
    ShowWindow(hwnd_, show ? SW_SHOWNA : SW_HIDE);
    if (show) repaint(false);   // a label's or picture's own window paints nothing
}

void Control::showWithForm() {
    if (!hwnd_ || !onSurface(args_.kind) || !inSight()) return;
    // Not redrawn: the form's first paint, still to come, paints it.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::textWidth() const {
    HWND on = windowless_ ? form_.hwnd() : hwnd_;
    if (!on) return 0;
    std::wstring wide = widen(text());
    HDC dc = GetDC(on);
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(on, dc);
    return pixelsToTwips(size.cx + 1);   // the pixel the division by twips may round away
}

std::wstring Control::accessibleName() const {
    std::string name = args_.accessibleName;
    if (name.empty()) {
        switch (args_.kind) {
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::CheckBox:
            // A box's tip shows what it holds now (a file's name, its size).
            name = designTip_;
            break;
        case ControlKind::Label:
            name = clickable() && !args_.tip.empty() ? args_.tip : (hwnd_ ? text() : args_.text);
            break;
        case ControlKind::Button:
        case ControlKind::PictureButton:
            name = hwnd_ && !text().empty() ? text() : args_.tip;
            break;
        case ControlKind::Picture:
            name = args_.tip;
            break;
        }
    }
    return widen(trimmed(name));
}

long Control::accessibleRole() const {
    switch (args_.kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case ControlKind::TextBox:
        return ROLE_SYSTEM_TEXT;
    case ControlKind::ListBox:
        return ROLE_SYSTEM_LIST;
    case ControlKind::ComboBox:
        return ROLE_SYSTEM_COMBOBOX;
    case ControlKind::Label:
        return clickable() ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    case ControlKind::Picture:
        return clickable() ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC;
    }
    return ROLE_SYSTEM_CLIENT;
}

void Control::keyPress(bool down, WPARAM key, LPARAM flags) {
    // Space and Enter work as the left button: down presses, up releases and clicks.
    if (down) {
        if ((flags & (1 << 30)) || keyDown_) return;   // held: the key repeats
        keyDown_ = key;
        if (onMouseDown) onMouseDown(MouseEvent{1, 0, 0});
        return;
    }
    if (keyDown_ != key) return;
    keyDown_ = 0;
    if (onMouseUp) onMouseUp(MouseEvent{1, 0, 0});
    if (onClick) onClick();
}

bool Control::setFocus() {
    if (!hwnd_) return false;
    if (!enabled() || !visible()) return false;
    SetFocus(hwnd_);
    return GetFocus() == hwnd_;
}

bool Control::hasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

bool Control::checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Control::setChecked(bool checked) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Control::clear() {
    if (!hwnd_) return;
    SendMessageW(hwnd_, args_.kind == ControlKind::ComboBox ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Control::addItem(std::string_view text, LPARAM data) {
    if (!hwnd_) return;
    bool combo = args_.kind == ControlKind::ComboBox;
    std::wstring wide = widen(text);
    LRESULT i = SendMessageW(hwnd_, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (i >= 0 && data) SendMessageW(hwnd_, combo ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(i), data);
}

int Control::count() const {
    return static_cast<int>(
        SendMessageW(hwnd_, args_.kind == ControlKind::ComboBox ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

std::string Control::item(int index) const {
    bool combo = args_.kind == ControlKind::ComboBox;
    LRESULT n = SendMessageW(hwnd_, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(hwnd_, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(n > 0 ? n : 0));
    return narrow(buf);
}

LPARAM Control::itemData(int index) const {
    return SendMessageW(hwnd_, args_.kind == ControlKind::ComboBox ? CB_GETITEMDATA : LB_GETITEMDATA,
                        static_cast<WPARAM>(index), 0);
}

int Control::selectedIndex() const {
    return static_cast<int>(
        SendMessageW(hwnd_, args_.kind == ControlKind::ComboBox ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void Control::setSelectedIndex(int index) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, args_.kind == ControlKind::ComboBox ? CB_SETCURSEL : LB_SETCURSEL,
                 static_cast<WPARAM>(index), 0);
}

void Control::setItemText(int index, std::string_view text) {
    if (!hwnd_ || index < 0 || index >= count()) return;
    bool combo = args_.kind == ControlKind::ComboBox;
    LPARAM data = itemData(index);
    int selected = selectedIndex();
    std::wstring wide = widen(text);
    SendMessageW(hwnd_, combo ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(hwnd_, combo ? CB_INSERTSTRING : LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(hwnd_, combo ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    if (selected == index) setSelectedIndex(index);
}

void Control::setRedraw(bool redraw) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH Control::backBrush() {
    if (!brush_ || brushColor_ != args_.backColor) {
        brush_.reset(CreateSolidBrush(toColorRef(args_.backColor)));
        brushColor_ = args_.backColor;
    }
    return brush_.get();
}

void Control::notify(int code) {
    switch (args_.kind) {
    case ControlKind::Button:
    case ControlKind::PictureButton:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED && onClick) onClick();
        if (code == BN_SETFOCUS && onGotFocus) onGotFocus();
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE && onClick) onClick();
        if (code == LBN_DBLCLK && onDblClick) onDblClick();
        if (code == LBN_SETFOCUS && onGotFocus) onGotFocus();
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE && onChange) onChange();
        if (code == CBN_SETFOCUS && onGotFocus) onGotFocus();
        break;
    case ControlKind::TextBox:
        if (code == EN_SETFOCUS && onGotFocus) onGotFocus();
        break;
    default:
        break;
    }
}

void Control::paintSurfaceControl(HDC dc) {
    // dc has our top left corner at its origin, clipped to us; the form has
    // painted what lies under us (its colour and shapes).
    RECT client;
    GetClientRect(hwnd_, &client);
    if (args_.opaque) FillRect(dc, &client, backBrush());
    bool focused = args_.keyboardButton && GetFocus() == hwnd_;
    if (args_.kind == ControlKind::Picture) {
        if (!icon_ && !args_.picture.empty()) icon_ = makePictureIcon(args_.picture, client.right, client.bottom);
        if (icon_) DrawIconEx(dc, 0, 0, icon_.get(), client.right, client.bottom, 0, nullptr, DI_NORMAL);
        if (focused) DrawFocusRect(dc, &client);
        return;
    }
    std::wstring text = widen(this->text());
    if (text.empty()) {
        if (focused) DrawFocusRect(dc, &client);
        return;
    }
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled() ? toColorRef(args_.foreColor) : GetSysColor(COLOR_GRAYTEXT));
    // A label one line high keeps its words on that line: a font a little
    // wider than the design's then cuts the last letters instead of hiding
    // whole words on a second line that nobody sees.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    bool oneLine = client.bottom < 2 * metrics.tmHeight;
    UINT format = DT_NOPREFIX | (oneLine ? DT_SINGLELINE : DT_WORDBREAK | DT_EDITCONTROL);
    if (args_.align == Align::Center) format |= DT_CENTER;
    if (args_.align == Align::Right) format |= DT_RIGHT;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
    if (focused) {
        // Around the words, as a button's focus is around its caption.
        RECT around = client;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &around, format | DT_CALCRECT);
        int shift = 0;
        if (args_.align == Align::Center) shift = (client.right - around.right) / 2;
        if (args_.align == Align::Right) shift = client.right - around.right;
        OffsetRect(&around, shift, 0);
        InflateRect(&around, 1, 0);
        IntersectRect(&around, &around, &client);
        DrawFocusRect(dc, &around);
    }
    SelectObject(dc, oldFont);
}

bool Control::paintsOnSurface() const {
    return onSurface(args_.kind) && hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE);
}

LRESULT Control::handleOwnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Messages arrive before CreateWindowExW has returned our handle.
    if (!hwnd_) return DefWindowProcW(hwnd, msg, wp, lp);
    form_.relayToTips(hwnd_, msg, wp, lp);
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        // The form paints us with its surface (Form::paintSurface).
        ValidateRect(hwnd_, nullptr);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
        repaint(false);
        return r;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        SetCapture(hwnd_);
        pressed_ = msg == WM_LBUTTONDOWN;
        if (onMouseDown) onMouseDown(mouseEvent(msg, wp, lp));
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        // The second press of a double click is a press too.
        if (onMouseDown) onMouseDown(MouseEvent{1, 0, 0});
        pressed_ = false;
        SetCapture(hwnd_);
        if (onDblClick) onDblClick();
        return 0;
    case WM_MOUSEMOVE:
        if (onMouseMove) onMouseMove(mouseEvent(msg, wp, lp));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, Alt+Tab) before the
        // release: a release with no button, so no click, and a lowered
        // control goes back to its place.
        if (reinterpret_cast<HWND>(lp) != hwnd_) {
            pressed_ = false;
            if (lowered() && onMouseUp) onMouseUp(MouseEvent{});
            raise();
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (onMouseUp) onMouseUp(mouseEvent(msg, wp, lp));
        bool click = false;
        if (msg == WM_LBUTTONUP && pressed_) {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            RECT r;
            GetClientRect(hwnd_, &r);
            // The press effect may have moved us under the pointer; a click is
            // still a click when the pointer is within a pixel or two.
            InflateRect(&r, 2, 2);
            click = PtInRect(&r, p) != FALSE;
        }
        if (msg == WM_LBUTTONUP) pressed_ = false;
        // Released after the handlers: the capture change then finds nothing
        // left to undo.
        if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == hwnd_) ReleaseCapture();
        if (click && onClick) onClick();
        return 0;
    }
    case WM_GETOBJECT:
        return answerGetObject(hwnd_, wp, lp, &accessibleFactsOf);
    case WM_NCPAINT:
        if (!hasFrame(hwnd_)) return 0;
        break;
    case WM_GETDLGCODE:
        if (args_.keyboardButton) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (msg == WM_KILLFOCUS && keyDown_) {
            // Focus gone with the key held: released, and no click.
            keyDown_ = 0;
            if (onMouseUp) onMouseUp(MouseEvent{});
            raise();
        }
        if (args_.keyboardButton) repaint(false);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (args_.keyboardButton && (wp == VK_SPACE || wp == VK_RETURN)) {
            keyPress(msg == WM_KEYDOWN, wp, lp);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        // The system's controls leave this question to the form, which then
        // makes its tips; the hand below answers it before the form hears it.
        form_.wantToolTips();
        if (args_.handCursor || onClick || onDblClick) {
            // Asked once: the pointer's every move over the control asks again.
            static const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
            SetCursor(hand);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace brontal::ui
