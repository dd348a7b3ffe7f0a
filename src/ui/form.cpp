#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/text.h"
#include "ui/events.h"
#include "ui/pictures.h"
#include "ui/window_class.h"
#include "ui/window_props.h"

namespace brontal::ui {
namespace {

constexpr wchar_t kFormClass[] = L"BrontalForm";

std::vector<Form*>& liveForms() {
    static std::vector<Form*> forms;
    return forms;
}

void registerFormClass(WNDPROC proc) {
    static const bool registered = registerWindowClass(kFormClass, proc);
    (void)registered;
}

} // namespace

void Shape::setBackColor(OleColor color) {
    if (args_.backColor == color) return;
    args_.backColor = color;
    RECT r{twipsToPixels(args_.left), twipsToPixels(args_.top), twipsToPixels(args_.left + args_.width),
           twipsToPixels(args_.top + args_.height)};
    form_.invalidateRect(r);
}

void Shape::paint(HDC dc) const {
    if (!args_.visible) return;
    RECT r{twipsToPixels(args_.left), twipsToPixels(args_.top), twipsToPixels(args_.left + args_.width),
           twipsToPixels(args_.top + args_.height)};
    // Labels repaint the surface under them often (a search's running count):
    // only the shapes they stand on are worth a brush and a pen.
    RECT clip, overlap, outer{r.left, r.top, r.right + 1, r.bottom + 1};
    if (GetClipBox(dc, &clip) != NULLREGION && !IntersectRect(&overlap, &clip, &outer)) return;
    HBRUSH brush = args_.filled ? CreateSolidBrush(toColorRef(args_.backColor)) : nullptr;
    HPEN pen = args_.border ? CreatePen(PS_SOLID, 1, toColorRef(args_.borderColor)) : nullptr;
    HGDIOBJ oldBrush = SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
    // Without a pen GDI leaves the right and bottom edge out; give them back.
    int extra = pen ? 0 : 1;
    if (args_.rounded) {
        int radius = twipsToPixels(std::min(args_.width, args_.height) / 2);
        RoundRect(dc, r.left, r.top, r.right + extra, r.bottom + extra, radius, radius);
    } else {
        Rectangle(dc, r.left, r.top, r.right + extra, r.bottom + extra);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);
}

Form::Form(FormArgs args) : args_(std::move(args)) {
    registerFormClass(&Form::windowProc);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (args_.dialogFrame) {
        exStyle |= WS_EX_DLGMODALFRAME;
    } else {
        if (args_.minimizeBox) style |= WS_MINIMIZEBOX;
        if (args_.maximizeBox) style |= WS_MAXIMIZEBOX;
    }
    if (!args_.ownedByMain) exStyle |= WS_EX_APPWINDOW;
    int w = twipsToPixels(args_.width), h = twipsToPixels(args_.height);
    if (args_.clientWidth > 0) {
        RECT r{0, 0, twipsToPixels(args_.clientWidth), twipsToPixels(args_.clientHeight)};
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    backBrush_.reset(CreateSolidBrush(toColorRef(args_.backColor)));
    hwnd_ = CreateWindowExW(exStyle, kFormClass, widen(args_.caption).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, w, h, args_.owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("CreateWindowEx failed for " + args_.name);
    publishName(hwnd_, args_.name);
    liveForms().push_back(this);
}

Form::~Form() {
    std::erase(liveForms(), this);
    for (auto& t : timers_) t->stop();
    if (hwnd_) {
        closing_ = true;
        enableOthers();
        DestroyWindow(hwnd_);
    }
    for (auto& c : controls_) c->detach();
}

std::vector<Form*> Form::openForms() {
    std::vector<Form*> open;
    for (Form* f : liveForms())
        if (f->isOpen()) open.push_back(f);
    return open;
}

Form* Form::fromHwnd(HWND hwnd) {
    if (!hwnd) return nullptr;
    wchar_t cls[32];
    if (!GetClassNameW(hwnd, cls, 32) || lstrcmpW(cls, kFormClass) != 0) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

Control& Form::add(ControlArgs args) {
    controls_.push_back(std::make_unique<Control>(*this, std::move(args), nextId_++));
    return *controls_.back();
}

Control& Form::add(std::string name, ControlArgs args) {
    args.name = std::move(name);
    return add(std::move(args));
}

Shape& Form::addShape(ShapeArgs args) {
    shapes_.push_back(std::make_unique<Shape>(*this, std::move(args)));
    return *shapes_.back();
}

Timer& Form::addTimer(std::string name, int intervalMs, bool enabled) {
    timers_.push_back(std::make_unique<Timer>(*this, std::move(name), nextId_++, intervalMs, enabled));
    return *timers_.back();
}

Control* Form::find(std::string_view name) const {
    for (auto& c : controls_)
        if (c->name() == name) return c.get();
    return nullptr;
}

Control& Form::operator[](std::string_view name) const {
    if (Control* c = find(name)) return *c;
    throw std::out_of_range("no control named " + std::string(name) + " on " + args_.name);
}

Shape& Form::shape(std::string_view name) const {
    for (auto& s : shapes_)
        if (s->name() == name) return *s;
    throw std::out_of_range("no shape named " + std::string(name));
}

Timer& Form::timer(std::string_view name) const {
    for (auto& t : timers_)
        if (t->name() == name) return *t;
    throw std::out_of_range("no timer named " + std::string(name));
}

Control* Form::controlById(int id) const {
    for (auto& c : controls_)
        if (c->id() == id) return c.get();
    return nullptr;
}

Control* Form::controlByHwnd(HWND hwnd) const {
    if (!hwnd) return nullptr;   // the windowless have none
    for (auto& c : controls_)
        if (c->hwnd() == hwnd) return c.get();
    return nullptr;
}

Control* Form::nextTabStop(HWND from, bool backwards) const {
    const int n = static_cast<int>(controls_.size());
    int at = -1;
    for (int i = 0; from && i < n; ++i)
        if (controls_[static_cast<size_t>(i)]->hwnd() == from) at = i;
    for (int step = 1; step <= n; ++step) {
        int i = at < 0 ? (backwards ? n - step : step - 1) : ((at + (backwards ? -step : step)) % n + n) % n;
        Control* c = controls_[static_cast<size_t>(i)].get();
        HWND w = c->hwnd();
        if (w && (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(w) && IsWindowEnabled(w)) return c;
    }
    return nullptr;
}

static RECT windowRect(HWND hwnd) {
    RECT r{};
    if (hwnd) GetWindowRect(hwnd, &r);
    return r;
}

int Form::left() const { return pixelsToTwips(windowRect(hwnd_).left); }
int Form::top() const { return pixelsToTwips(windowRect(hwnd_).top); }
int Form::width() const {
    RECT r = windowRect(hwnd_);
    return pixelsToTwips(r.right - r.left);
}
int Form::height() const {
    RECT r = windowRect(hwnd_);
    return pixelsToTwips(r.bottom - r.top);
}

void Form::setLeft(int twips) { moveTo(twips, top()); }
void Form::setTop(int twips) { moveTo(left(), twips); }

void Form::moveTo(int left, int top) {
    if (!hwnd_) return;
    SetWindowPos(hwnd_, nullptr, twipsToPixels(left), twipsToPixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setSize(int width, int height) {
    if (!hwnd_) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, twipsToPixels(width), twipsToPixels(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::minimized() const { return hwnd_ && IsIconic(hwnd_); }

void Form::setCaption(std::string_view caption) {
    args_.caption = caption;
    if (hwnd_) SetWindowTextW(hwnd_, widen(caption).c_str());
}

void Form::setIcon(std::string_view picture) {
    if (!hwnd_) return;
    bigIcon_ = makePictureIcon(picture, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon_ = makePictureIcon(picture, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void Form::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, shownOnce_ ? SW_SHOW : SW_SHOWNORMAL);
    if (!shownOnce_) {
        shownOnce_ = true;
        for (auto& c : controls_) c->showWithForm();
    }
    SetForegroundWindow(hwnd_);
    HWND focus = GetFocus();
    if (!focus || (focus != hwnd_ && !IsChild(hwnd_, focus))) {
        // Like a dialog: the first control in the tab order that can take it.
        for (auto& c : controls_) {
            LONG style = GetWindowLongW(c->hwnd(), GWL_STYLE);
            if ((style & WS_TABSTOP) && IsWindowEnabled(c->hwnd()) && c->visible() && SetFocus(c->hwnd()))
                break;
        }
    }
}

void Form::hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::showModal() {
    if (!hwnd_) return;
    modal_ = true;
    EnumThreadWindows(GetCurrentThreadId(), &disableForModal, reinterpret_cast<LPARAM>(this));
    show();
    while (hwnd_) {
        MSG msg;
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            close();
            break;
        }
        dispatchMessage(msg);
    }
    modal_ = false;
}

BOOL CALLBACK Form::disableForModal(HWND w, LPARAM self) {
    auto* form = reinterpret_cast<Form*>(self);
    if (w != form->hwnd_ && IsWindowEnabled(w) && Form::fromHwnd(w)) {
        EnableWindow(w, FALSE);
        form->disabledByModal_.push_back(w);
    }
    return TRUE;
}

void Form::enableOthers() {
    for (HWND w : disabledByModal_)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    disabledByModal_.clear();
}

void Form::close() {
    if (!hwnd_ || closing_) return;
    closing_ = true;
    if (onUnload) {
        try {
            onUnload();
        } catch (...) {
            reportFailure("the unload steps of " + name());
        }
    }
    // Give the owners their input back first, so Windows returns the focus to them.
    enableOthers();
    // Timers and controls stay as objects until the form itself is released:
    // a tick or a handler of theirs may still be running further up the stack.
    for (auto& t : timers_) t->stop();
    if (hwnd_) DestroyWindow(hwnd_);
    for (auto& c : controls_) c->detach();
}

void Form::paintBackground(HDC dc) const {
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, backBrush_.get());
    for (auto& s : shapes_) s->paint(dc);
}

void Form::paintSurface(HDC dc) const {
    paintBackground(dc);
    // The labels and pictures over it, each in its window's place: one paint
    // for them all, where a window of its own each cost trips to the window
    // server and a flush to the screen. The elder lie above the younger.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control& c = **it;
        if (!c.paintsOnSurface()) continue;
        RECT place = c.placeOnForm();
        if (!RectVisible(dc, &place)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
        // What a younger one drew is not seen through an elder above it.
        paintBackground(dc);
        OffsetViewportOrgEx(dc, place.left, place.top, nullptr);
        c.paintSurfaceControl(dc);
        RestoreDC(dc, saved);
    }
}

void Form::wantToolTips() {
    if (tooltip_ || tipsWanted_ || !hwnd_) return;
    tipsWanted_ = true;
    whenIdle([this] {
        // The form may have gone meanwhile.
        if (std::find(liveForms().begin(), liveForms().end(), this) == liveForms().end()) return;
        tipsWanted_ = false;
        showToolTips();
        // A pointer resting on a control since it came tells the new tip
        // window where it is, as its next move would.
        POINT at;
        if (!tooltip_ || !GetCursorPos(&at)) return;
        HWND under = WindowFromPoint(at);
        if (under != hwnd_ && GetParent(under) != hwnd_) return;
        MSG moved{under, WM_MOUSEMOVE, 0, 0, static_cast<DWORD>(GetTickCount()), at};
        POINT local = at;
        ScreenToClient(under, &local);
        moved.lParam = MAKELPARAM(local.x, local.y);
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&moved));
    });
}

void Form::showToolTips() {
    if (tooltip_ || !hwnd_) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) {
        OutputDebugStringW((L"Brontal32: " + widen(args_.name) + L" shows no tips: the tip window failed\n").c_str());
        return;
    }
    // A tip breaks its lines at "\n" only with a maximum width set; one wider
    // than any tip here keeps every single-line tip on one line.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1200);
    for (auto& c : controls_)
        if (!c->tip().empty()) setToolTip(c->hwnd(), c->tip());
}

void Form::setToolTip(HWND control, std::string_view text) {
    // Until the pointer first comes over the form there is nothing to show:
    // showToolTips() then takes every control's tip as it stands.
    if (!tooltip_ || !control) return;
    std::wstring wide = widen(text);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND;   // the mouse comes through relayToTips: no subclass of comctl32's
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (!wide.empty()) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Form::relayToTips(HWND control, UINT msg, WPARAM wp, LPARAM lp) const {
    if (!tooltip_ || !((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_NCMOUSEMOVE)) return;
    DWORD pos = GetMessagePos();
    MSG relayed{control, msg, wp, lp, static_cast<DWORD>(GetMessageTime()),
                {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void Form::invalidateSurface(const RECT& pixels) {
    if (hwnd_) RedrawWindow(hwnd_, &pixels, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

void Form::invalidateRect(const RECT& pixels) {
    if (hwnd_) RedrawWindow(hwnd_, &pixels, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        unpublishAll(hwnd);
        self->hwnd_ = nullptr;
        self->tooltip_ = nullptr;
        if (self->onClosed) {
            auto closed = self->onClosed;
            runLater(closed);
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    try {
        return self->handle(msg, wp, lp);
    } catch (...) {
        reportFailure(self->name() + " handling message " + std::to_string(msg));
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

LRESULT Form::colorFor(HWND child, HDC dc) {
    Control* c = controlByHwnd(child);
    if (!c) return reinterpret_cast<LRESULT>(backBrush_.get());
    SetTextColor(dc, toColorRef(c->foreColor()));
    SetBkColor(dc, toColorRef(c->backColor()));
    return reinterpret_cast<LRESULT>(c->backBrush());
}

void Form::observe() {
    if (observed_ || !hwnd_) return;
    observed_ = true;
    SetPropW(hwnd_, kObservedProp, reinterpret_cast<HANDLE>(1));
    // An observer finds every control by its window, those out of sight too;
    // a window made now publishes as it is made.
    for (auto& c : controls_) {
        c->makeWindow();
        if (!c->published()) c->publish();
    }
}

HWND Form::surfaceWindowAfter(const Control& control) const {
    bool after = false;
    for (auto& c : controls_) {
        if (c.get() == &control) after = true;
        else if (after && c->hwnd() && (c->kind() == ControlKind::Label || c->kind() == ControlKind::Picture))
            return c->hwnd();
    }
    return nullptr;
}

LRESULT Form::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == observeMessage()) {
        observe();
        return 1;
    }
    switch (msg) {
    case WM_COMMAND:
        if (lp) {
            if (Control* c = controlById(LOWORD(wp))) c->notify(HIWORD(wp));
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return colorFor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp));
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        m->itemHeight = static_cast<UINT>(MulDiv(16, screenDpi(), 96));
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        Control* c = controlByHwnd(d->hwndItem);
        if (c && c->onDrawItem && static_cast<int>(d->itemID) >= 0) {
            c->onDrawItem(DrawItem{d->hDC, d->rcItem, static_cast<int>(d->itemID),
                                   (d->itemState & ODS_SELECTED) != 0, (d->itemState & ODS_FOCUS) != 0});
        }
        return TRUE;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        paintSurface(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintSurface(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_TIMER:
        for (auto& t : timers_) {
            if (static_cast<WPARAM>(t->id()) == wp) {
                t->fire();
                break;
            }
        }
        return 0;
    case WM_SIZE:
        if (onResize) onResize();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(hwnd_);
        capturing_ = true;
        if (onMouseDown) onMouseDown(mouseEvent(msg, wp, lp));
        return 0;
    case WM_SETCURSOR:
        wantToolTips();
        break;
    case WM_MOUSEMOVE:
        if (onMouseMove) onMouseMove(mouseEvent(msg, wp, lp));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, Alt+Tab): no release
        // will come.
        if (reinterpret_cast<HWND>(lp) != hwnd_) capturing_ = false;
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (capturing_ && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
            capturing_ = false;
            ReleaseCapture();
        }
        if (onMouseUp) onMouseUp(mouseEvent(msg, wp, lp));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (onCloseRequest)
            onCloseRequest();
        else
            close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace brontal::ui
