#pragma once
// What the forms' layouts are written with. A form declares each control,
// shape and timer as a member of its class, in tab order, made where it is
// declared and named after the member:
//
//     BRONTAL_CONTROL(txtKB, ui::textBox(3700, 2330, 1175, 230).withTip(" Tamanho "));
//     BRONTAL_SHAPE(shpBusca, .left = 5040, .top = 4230, .width = 210, .height = 180);
//     BRONTAL_TIMER(TimerSearch, 250, false);
//
// The code then reaches txtKB as a member: a misspelt name does not compile,
// and the name the window publishes cannot differ from the one the code uses.
#include <string>

#include "ui/form.h"

#define BRONTAL_CONTROL(member, ...) ::brontal::ui::Control& member = this->add(#member, __VA_ARGS__)
#define BRONTAL_SHAPE(member, ...) \
    ::brontal::ui::Shape& member = this->addShape(::brontal::ui::ShapeArgs{.name = #member, __VA_ARGS__})
#define BRONTAL_TIMER(member, intervalMs, enabled) \
    ::brontal::ui::Timer& member = this->addTimer(#member, intervalMs, enabled)

namespace brontal::ui {

// The arguments of a control of each kind at its place, in twips.
ControlArgs label(int left, int top, int width, int height, std::string text = {});
ControlArgs textBox(int left, int top, int width, int height);   // with a thin border
ControlArgs button(int left, int top, int width, int height, std::string text);
ControlArgs pictureButton(int left, int top, int width, int height, std::string picture);
ControlArgs picture(int left, int top, int width, int height, std::string picture);
ControlArgs checkBox(int left, int top, int width, int height);
ControlArgs listBox(int left, int top, int width, int height);
ControlArgs comboBox(int left, int top, int width, int height, int listHeight);
// A thin line: an opaque label 15 twips high.
ControlArgs line(int left, int top, int width, OleColor color);

} // namespace brontal::ui
