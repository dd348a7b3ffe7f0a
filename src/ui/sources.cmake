# The small window layer: forms with their controls, shapes and timers as
# members, twips, colours, timers, modal show and the message loop.
list(APPEND BRONTAL_WIN_SOURCES
  src/ui/units.cpp
  src/ui/pictures.cpp
  src/ui/window_props.cpp
  src/ui/control.cpp
  src/ui/form.cpp
  src/ui/layout.cpp
  src/ui/timer.cpp
  src/ui/window_class.cpp
  src/ui/events.cpp
  src/ui/press_effect.cpp
  src/ui/accessible.cpp)
