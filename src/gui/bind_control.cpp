#include "gui/button_bindings.h"
#include "gui/control_binding.h"
#include "gui/curve_view_binding.h"
#include "gui/edit_box_binding.h"
#include "gui/item_list_bindings.h"
#include "gui/list_view_binding.h"
#include "gui/radio_group_binding.h"
#include "gui/simple_bindings.h"
#include "gui/slider_binding.h"

namespace tw::gui {

std::unique_ptr<ControlBinding> BindControl(ui::Control& control) {
  switch (control.kind()) {
    case ui::ControlKind::Button:
      return std::make_unique<ButtonBinding>(static_cast<ui::Button&>(control));
    case ui::ControlKind::CheckBox:
      return std::make_unique<CheckBoxBinding>(static_cast<ui::CheckBox&>(control));
    case ui::ControlKind::RadioGroup:
      return std::make_unique<RadioGroupBinding>(static_cast<ui::RadioGroup&>(control));
    case ui::ControlKind::ComboBox:
      return std::make_unique<ComboBoxBinding>(static_cast<ui::ComboBox&>(control));
    case ui::ControlKind::ListBox:
      return std::make_unique<ListBoxBinding>(static_cast<ui::ListBox&>(control));
    case ui::ControlKind::ListView:
      return std::make_unique<ListViewBinding>(static_cast<ui::ListView&>(control));
    case ui::ControlKind::EditBox:
      return std::make_unique<EditBoxBinding>(static_cast<ui::EditBox&>(control));
    case ui::ControlKind::StaticText:
    case ui::ControlKind::ValueLabel:
      return std::make_unique<StaticTextBinding>(static_cast<ui::StaticText&>(control));
    case ui::ControlKind::LevelSlider:
    case ui::ControlKind::StepSlider:
      return std::make_unique<SliderBinding>(static_cast<ui::Slider&>(control));
    case ui::ControlKind::ProgressBar:
      return std::make_unique<ProgressBarBinding>(static_cast<ui::ProgressBar&>(control));
    case ui::ControlKind::GroupBox:
      return std::make_unique<GroupBoxBinding>(static_cast<ui::GroupBox&>(control));
    case ui::ControlKind::CurveView:
      return std::make_unique<CurveViewBinding>(static_cast<ui::CurveView&>(control));
  }
  return nullptr;
}

}  // namespace tw::gui
