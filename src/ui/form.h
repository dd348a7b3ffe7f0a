#pragma once
// A form: a top-level window that owns its controls, shapes and timers, each
// published under its name. Positions are twips; the window procedure
// forwards to the object stored in GWLP_USERDATA and lets no exception escape
// into Windows.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/timer.h"
#include "ui/units.h"

namespace brontal::ui {

// A shape is painted by its form, under the labels that lie on it.
struct ShapeArgs {
    std::string name;
    int left = 0, top = 0, width = 0, height = 0;
    OleColor backColor = systemColor(COLOR_BTNFACE);
    OleColor borderColor = kRgbBlack;
    bool filled = true;
    bool border = true;
    bool rounded = false;
    bool visible = true;
};

class Shape {
public:
    Shape(Form& form, ShapeArgs args) : form_(form), args_(std::move(args)) {}
    const std::string& name() const { return args_.name; }
    const ShapeArgs& args() const { return args_; }
    OleColor backColor() const { return args_.backColor; }
    void setBackColor(OleColor color);
    void paint(HDC dc) const;

private:
    Form& form_;
    ShapeArgs args_;
};

struct FormArgs {
    std::string name;
    std::string caption = "Brontal32";
    // Either the outer size or the client size, in twips.
    int width = 0, height = 0;
    int clientWidth = 0, clientHeight = 0;
    OleColor backColor = systemColor(COLOR_BTNFACE);
    bool minimizeBox = true;
    bool maximizeBox = false;
    bool dialogFrame = false;   // fixed dialog border, no minimise box
    bool keyPreview = false;
    bool ownedByMain = false;   // stays above the owner, no taskbar button of its own
    HWND owner = nullptr;
};

class Form {
public:
    explicit Form(FormArgs args);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const { return hwnd_; }
    const std::string& name() const { return args_.name; }
    static Form* fromHwnd(HWND hwnd);
    // Every form that is loaded and not closing, in the order they were made.
    static std::vector<Form*> openForms();

    // In the order of the tab keys. A form's own controls, shapes and timers
    // are members made by BRONTAL_CONTROL, BRONTAL_SHAPE and BRONTAL_TIMER
    // (ui/layout.h), which name each after its member.
    Control& add(ControlArgs args);
    Control& add(std::string name, ControlArgs args);
    Shape& addShape(ShapeArgs args);
    Timer& addTimer(std::string name, int intervalMs, bool enabled);

    // By name, for where a name is data: the folder slots' texts, and the
    // tests, which see the forms as the test driver does.
    Control& operator[](std::string_view name) const;   // throws std::out_of_range
    Control* find(std::string_view name) const;
    Shape& shape(std::string_view name) const;
    Timer& timer(std::string_view name) const;
    Control* controlById(int id) const;
    Control* controlByHwnd(HWND hwnd) const;
    // The control Tab (or Shift+Tab) takes the focus to from the window that
    // has it: the next that can take it, in the order they were made. Labels
    // and pictures that act as buttons are among them, wherever they lie.
    Control* nextTabStop(HWND from, bool backwards) const;

    // Outer position and size, twips.
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void moveTo(int left, int top);
    void setSize(int width, int height);
    bool minimized() const;

    void setCaption(std::string_view caption);
    void setIcon(std::string_view picture);
    void show();
    void hide();
    bool visible() const;
    // Shows the form and returns once it has closed; every other window of
    // the program is disabled meanwhile.
    void showModal();
    bool modal() const { return modal_; }
    // Runs onUnload, stops the timers, then destroys the window. The object,
    // its controls and timers stay valid (inert) until its owner releases it,
    // through releaseWhenIdle when a handler of it may still be running.
    void close();
    bool isOpen() const { return hwnd_ != nullptr && !closing_; }
    bool keyPreview() const { return args_.keyPreview; }
    void setKeyPreview(bool on) { args_.keyPreview = on; }

    std::function<bool(int virtualKey)> onKeyDown;   // with key preview: before the control
    std::function<void()> onResize;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<void(const MouseEvent&)> onMouseUp;
    std::function<void()> onCloseRequest;   // the close box; default: close()
    std::function<void()> onUnload;
    std::function<void()> onClosed;         // after the window is gone

    // For the window layer.
    void paintSurface(HDC dc) const;
    void paintBackground(HDC dc) const;   // its colour and shapes
    void setToolTip(HWND control, std::string_view text);
    // The tip window is made once the pointer has come over the form or a
    // control of it and the program is idle: a start-up pays nothing for it,
    // even with the pointer resting where the window opens, and a tip shows
    // only after the pointer has rested anyway.
    void wantToolTips();
    void showToolTips();
    // Each control hands its mouse messages to the tip window: comctl32's
    // subclass would look itself up in a window property on every message.
    void relayToTips(HWND control, UINT msg, WPARAM wp, LPARAM lp) const;
    void invalidateRect(const RECT& pixels);
    void invalidateSurface(const RECT& pixels);   // the form's own paint there, its labels' and pictures' too
    HWND lastWindowedChild() const { return lastWindowed_; }
    bool observed() const { return observed_; }   // its controls publish their properties
    bool everShown() const { return shownOnce_; }
    // The first label or picture made after control that has its window: a
    // window made late goes just above it, as if made in its turn.
    HWND surfaceWindowAfter(const Control& control) const;
    void setLastWindowedChild(HWND child) { lastWindowed_ = child; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static BOOL CALLBACK disableForModal(HWND w, LPARAM self);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT colorFor(HWND child, HDC dc);
    void enableOthers();
    void observe();

    FormArgs args_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND lastWindowed_ = nullptr;   // the windowed control made last
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Shape>> shapes_;
    std::vector<std::unique_ptr<Timer>> timers_;
    std::vector<HWND> disabledByModal_;
    unique_hicon bigIcon_, smallIcon_;
    unique_hbrush backBrush_;
    bool closing_ = false;
    bool observed_ = false;
    bool tipsWanted_ = false;
    bool modal_ = false;
    bool shownOnce_ = false;
    bool capturing_ = false;
    int nextId_ = 100;
};

} // namespace brontal::ui
