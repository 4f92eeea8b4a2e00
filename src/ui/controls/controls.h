#pragma once

// Every control model and the layout declaration, for pages and renderers.
//
// How a renderer drives the models (so that the GUI behaves exactly as the tests do):
// - Build one widget per LayoutNode; a RadioGroup is a captioned frame of radio buttons, a
//   GroupBox frames its children, a ValueLabel is green text on black.
// - Forward user input as the user actions: button and check box clicks to click(), a radio
//   button to RadioGroup::click(index), a list pick to select(index), a list view double
//   click to activate(row), an edit by the user to EditBox::type(text), a thumb move to
//   Slider::dragToPosition(position) and the mouse release to Slider::release().
// - Slider positions: a vertical slider has its minimum position at the top, a horizontal
//   one at the left (a LevelSlider thus shows its largest value at the top).
// - Navigation keys (arrows, Page Up/Down, Home, End) on a focused control go to
//   Form::pressKey(control, key); when it returns true the widget must not see the key.
//   The mouse wheel must not move a slider on its own (map it to Page Up/Down, or drop it).
// - Report focus entering a radio button with RadioGroup::focus(index) (-1 when it leaves).
// - Set each control's listener: on a Change, copy that part of the model into the widget
//   without letting the widget's own change signals call back into the model.
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/control.h"
#include "ui/controls/curve_view.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/layout.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"
