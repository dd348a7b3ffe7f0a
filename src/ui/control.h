#pragma once
// A control of a form: a real child window found by its name, with the
// properties and events the forms use. One class serves every kind; the list
// operations apply to list boxes and combo boxes only.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/unique_handle.h"
#include "ui/units.h"

namespace brontal::ui {

using unique_himagelist = unique_any<null_empty_traits<HIMAGELIST, &::ImageList_Destroy>>;

class Form;

enum class ControlKind {
    Label,       // caption on the form's surface, transparent unless opaque
    TextBox,     // a display box written by the program (read-only edit)
    Button,      // push button with a caption
    PictureButton, // push button showing a picture
    Picture,     // a picture on the form's surface, clickable
    CheckBox,
    ListBox,
    ComboBox,    // drop-down list
};

enum class Align { Left, Center, Right };
enum class Border { None, Thin, Sunken };

struct Font {
    std::wstring face = L"MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

struct MouseEvent {
    int button = 0;  // 1 left, 2 right, 4 middle (several may be held while moving)
    int x = 0, y = 0; // twips, relative to the control
};

// Everything a control is made from; positions in twips.
struct ControlArgs {
    std::string name;
    ControlKind kind = ControlKind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;
    std::string tip;
    std::string picture;
    OleColor foreColor = systemColor(COLOR_BTNTEXT);
    OleColor backColor = systemColor(COLOR_BTNFACE);
    bool opaque = false;        // labels: paint the back colour instead of the surface
    Font font;
    Align align = Align::Left;
    Border border = Border::None;
    bool visible = true;
    bool enabled = true;
    bool tabStop = true;
    bool multiLine = false;     // text boxes
    bool ownerDrawList = false; // list boxes drawn by the owner (onDrawItem)
    int listHeight = 0;         // combo boxes: height of the open list, twips
    bool handCursor = false;    // labels and pictures: the hand over them even without a click handler
    // Labels and pictures that act as buttons: a tab stop, a focus rectangle,
    // Space and Enter as a click (press effect included), a push button to
    // screen readers.
    bool keyboardButton = false;
    std::string accessibleName; // what screen readers call it; default: its tooltip or text

    // What a layout adds to the arguments of a kind (ui/layout.h), chained:
    // label(...).withFore(kDarkRed).bold().
    ControlArgs& withFore(OleColor color) { foreColor = color; return *this; }
    ControlArgs& withBack(OleColor color) { backColor = color; return *this; }
    ControlArgs& opaqueIn(OleColor color) { opaque = true; backColor = color; return *this; }
    ControlArgs& withTip(std::string text) { tip = std::move(text); return *this; }
    ControlArgs& withFont(Font f) { font = std::move(f); return *this; }
    ControlArgs& bold() { font.bold = true; return *this; }
    ControlArgs& aligned(Align a) { align = a; return *this; }
    ControlArgs& hidden() { visible = false; return *this; }
    ControlArgs& noTabStop() { tabStop = false; return *this; }
    ControlArgs& ownerDrawn() { ownerDrawList = true; return *this; }
    ControlArgs& withHandCursor() { handCursor = true; return *this; }
    ControlArgs& actsAsButton() { keyboardButton = true; return *this; }
    ControlArgs& named(std::string name) { accessibleName = std::move(name); return *this; }
};

struct DrawItem {
    HDC dc;
    RECT rect;
    int index;
    bool selected;
    bool focused;
};

class Control {
public:
    Control(Form& form, ControlArgs args, int id);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return args_.name; }
    ControlKind kind() const { return args_.kind; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    Form& form() const { return form_; }

    std::string text() const;
    void setText(std::string_view text);
    const std::string& tip() const { return args_.tip; }
    void setTip(std::string_view tip);
    OleColor foreColor() const { return args_.foreColor; }
    void setForeColor(OleColor color);
    OleColor backColor() const { return args_.backColor; }
    void setBackColor(OleColor color);
    const std::string& picture() const { return args_.picture; }
    void setPicture(std::string_view id);

    int left() const { return args_.left; }
    int top() const { return args_.top; }
    int width() const { return args_.width; }
    int height() const { return args_.height; }
    void setLeft(int twips) { move(twips, args_.top, args_.width, args_.height); }
    void setTop(int twips) { move(args_.left, twips, args_.width, args_.height); }
    void move(int left, int top, int width, int height);

    bool enabled() const;
    void setEnabled(bool enabled);
    // As the form means it: a control parked outside the client area is
    // meant visible but is not a visible window until it moves in.
    bool visible() const { return args_.visible; }
    void setVisible(bool visible);
    bool setFocus();
    bool hasFocus() const;

    bool checked() const;
    void setChecked(bool checked);

    // List boxes and combo boxes.
    void clear();
    void addItem(std::string_view text, LPARAM data = 0);
    int count() const;
    std::string item(int index) const;
    LPARAM itemData(int index) const;
    int selectedIndex() const;
    void setSelectedIndex(int index);
    void setItemText(int index, std::string_view text);   // keeps its data and the selection
    void setRedraw(bool redraw);

    // Events. onKeyPress gets character codes (13 for Enter) and returns true
    // when it swallows the key.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseUp;
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<bool(int ch)> onKeyPress;
    std::function<void(const DrawItem&)> onDrawItem;

    // The press effect: lower() keeps how to go back, raise() goes back once.
    // A second press before the release, a release with no press and a lost
    // capture therefore leave the control where it belongs.
    void lower(std::function<void()> restore);
    void raise();
    bool lowered() const { return static_cast<bool>(restore_); }

    bool actsAsButton() const { return args_.keyboardButton; }
    // The width its text takes in its font at this resolution, twips.
    int textWidth() const;
    // Name and role for screen readers (ui/accessible.h).
    std::wstring accessibleName() const;
    long accessibleRole() const;

    // Used by the form and the window layer.
    void paintSurfaceControl(HDC dc);
    bool paintsOnSurface() const;   // a label or picture with a window in sight
    RECT placeOnForm() const;   // its window, in the form's client pixels
    HFONT font() const { return font_; }
    HBRUSH backBrush();
    LRESULT handleOwnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void notify(int code);
    void detach();   // the window is gone with its form's
    void makeWindow();   // a label or picture kept windowless while out of sight
    void showWithForm();   // a label's or picture's window, once its form first shows
    void publish();  // its properties, for an observer of the form (window_props.h)
    bool published() const { return published_; }

private:
    void create();
    void refreshPicture();
    void showIfInside();
    bool inSight() const;
    bool clickable() const { return args_.keyboardButton || static_cast<bool>(onClick); }
    void keyPress(bool down, WPARAM key, LPARAM flags);
    void repaint(bool erase);
    static LRESULT CALLBACK windowedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    Form& form_;
    ControlArgs args_;
    int id_;
    HWND hwnd_ = nullptr;
    WNDPROC systemProc_ = nullptr;   // boxes, lists and buttons: their class's own procedure
    HFONT font_ = nullptr;        // shared by every control of the same font, for the life of the program
    unique_hicon icon_;
    unique_himagelist images_;   // picture buttons: one face per state
    unique_hbrush brush_;
    OleColor brushColor_ = 0xFFFFFFFFu;
    bool pressed_ = false;
    bool published_ = false;
    bool windowless_ = false;    // out of sight, its window not yet made (makeWindow)
    WPARAM keyDown_ = 0;          // Space or Enter held on a keyboard button
    std::string designTip_;       // boxes are named by what they hold, not by the tip they show now
    std::function<void()> restore_;
};

} // namespace brontal::ui
