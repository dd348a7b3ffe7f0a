#include "ui/layout.h"

namespace brontal::ui {
namespace {

ControlArgs placed(ControlKind kind, int left, int top, int width, int height) {
    ControlArgs a;
    a.kind = kind;
    a.left = left, a.top = top, a.width = width, a.height = height;
    return a;
}

} // namespace

ControlArgs label(int left, int top, int width, int height, std::string text) {
    ControlArgs a = placed(ControlKind::Label, left, top, width, height);
    a.text = std::move(text);
    return a;
}

ControlArgs textBox(int left, int top, int width, int height) {
    ControlArgs a = placed(ControlKind::TextBox, left, top, width, height);
    a.border = Border::Thin;
    return a;
}

ControlArgs button(int left, int top, int width, int height, std::string text) {
    ControlArgs a = placed(ControlKind::Button, left, top, width, height);
    a.text = std::move(text);
    return a;
}

ControlArgs pictureButton(int left, int top, int width, int height, std::string picture) {
    ControlArgs a = placed(ControlKind::PictureButton, left, top, width, height);
    a.picture = std::move(picture);
    return a;
}

ControlArgs picture(int left, int top, int width, int height, std::string picture) {
    ControlArgs a = placed(ControlKind::Picture, left, top, width, height);
    a.picture = std::move(picture);
    return a;
}

ControlArgs checkBox(int left, int top, int width, int height) {
    return placed(ControlKind::CheckBox, left, top, width, height);
}

ControlArgs listBox(int left, int top, int width, int height) {
    return placed(ControlKind::ListBox, left, top, width, height);
}

ControlArgs comboBox(int left, int top, int width, int height, int listHeight) {
    ControlArgs a = placed(ControlKind::ComboBox, left, top, width, height);
    a.listHeight = listHeight;
    return a;
}

ControlArgs line(int left, int top, int width, OleColor color) {
    return label(left, top, width, 15).opaqueIn(color);
}

} // namespace brontal::ui
