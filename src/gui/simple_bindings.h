#pragma once

#include "gui/control_binding.h"
#include "ui/controls/group_box.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/static_text.h"

class QGroupBox;
class QLabel;
class QProgressBar;

namespace tw::gui {

// Static text, and the value label (green on black, in whatever state its window is).
class StaticTextBinding : public ControlBinding {
 public:
  explicit StaticTextBinding(ui::StaticText& text);

 protected:
  void showText() override;

 private:
  ui::StaticText& text_;
  QLabel* label_;
};

class ProgressBarBinding : public ControlBinding {
 public:
  explicit ProgressBarBinding(ui::ProgressBar& bar);

 protected:
  void showItems() override;
  void showValue() override;

 private:
  ui::ProgressBar& bar_;
  QProgressBar* view_;
};

// The frame of a group; the form renderer puts the group's children inside it.
class GroupBoxBinding : public ControlBinding {
 public:
  explicit GroupBoxBinding(ui::GroupBox& box);

 protected:
  void showText() override;

 private:
  ui::GroupBox& box_;
  QGroupBox* frame_;
};

// A group in a tool bar: its caption stands before its controls, without a frame. The form
// renderer adds the group's children to the widget's row after the caption.
class InlineGroupBinding : public ControlBinding {
 public:
  explicit InlineGroupBinding(ui::GroupBox& box);

 protected:
  void showText() override;

 private:
  ui::GroupBox& box_;
  QLabel* title_;
};

}  // namespace tw::gui
