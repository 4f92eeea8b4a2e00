#include "pages/item_page.h"

#include <variant>

#include "model/parameter_access.h"

namespace tw::pages {

void CItemPage::Bind(const ChoiceItem& item, ui::RadioGroup& radios) {
  Binding binding;
  binding.kind = Binding::Kind::Radio;
  binding.choice = item;
  binding.radios = &radios;
  bindings_.push_back(binding);
  const int number = item.number;
  radios.onClicked = [this, number, &radios](int) { onRadio(number, radios); };
}

void CItemPage::Bind(const ChoiceItem& item, ui::CListCombo& list) {
  Binding binding;
  binding.kind = Binding::Kind::Combo;
  binding.choice = item;
  binding.list = &list;
  bindings_.push_back(binding);
  const int number = item.number;
  list.onSelChange = [this, number, &list] { onList(number, list); };
}

void CItemPage::Bind(const LevelItem& item, ui::CLevelSlider& slider, ui::StaticText* label) {
  Binding binding;
  binding.kind = Binding::Kind::Level;
  binding.level = item;
  binding.slider = &slider;
  binding.label = label;
  bindings_.push_back(binding);
  const int number = item.number;
  slider.onCustomDraw = [this, item, &slider, label] { onSliderDraw(item, slider, label); };
  slider.onReleasedCapture = [this, number] { SendItem(number); };
}

void CItemPage::InitControls() {
  for (const Binding& binding : bindings_) {
    if (binding.kind == Binding::Kind::Combo) binding.list->Fill(binding.choice.texts);
    if (binding.kind == Binding::Kind::Level) {
      const LevelItem& item = binding.level;
      binding.slider->Setup(nullptr, std::string(item.unit), item.min, item.max, item.step,
                            Value(item.number), ui::LevelStyle::Plain);
    }
  }
}

std::optional<std::int32_t> CItemPage::ValueIn(const model::ParameterImage& image, int number) {
  const auto value = model::GetParameter(image, number);
  if (!value) return std::nullopt;
  if (const auto* integer = std::get_if<std::int32_t>(&*value)) return *integer;
  return std::nullopt;
}

bool CItemPage::Store(int number, std::int32_t value) const {
  return model::SetParameter(pageImage(), number, value);
}

const CItemPage::Binding* CItemPage::find(int number) const {
  for (const Binding& binding : bindings_) {
    if (binding.number() == number) return &binding;
  }
  return nullptr;
}

void CItemPage::show(const Binding& binding) {
  const std::int32_t value = Value(binding.number());
  switch (binding.kind) {
    case Binding::Kind::Radio:
      binding.radios->setSelected(value);
      break;
    case Binding::Kind::Combo:
      binding.list->setCurSel(value);
      break;
    case Binding::Kind::Level:
      binding.slider->SetValue(value);
      if (binding.label != nullptr) binding.label->setText(LabelText(binding.level, value));
      break;
  }
}

void CItemPage::ShowItem(int number) {
  if (const Binding* binding = find(number)) show(*binding);
}

void CItemPage::RefreshAll() {
  UpdateControlStates();
  for (const Binding& binding : bindings_) show(binding);
}

void CItemPage::RefreshItem(int number, bool update) {
  if (!isActive() || !hasWindow()) return;
  ShowItem(number);
  if (update) UpdateControlStates();
}

void CItemPage::QueueItem(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const Binding* binding = find(number);
  if (binding == nullptr) return;
  const auto value = ValueIn(image, number);
  if (!value) return;
  Queue(binding->kind == Binding::Kind::Level ? binding->level.Command(*value)
                                              : binding->choice.Command(*value),
        number);
}

std::vector<PageItem> CItemPage::ListItems(bool forFile, int /*group*/) const {
  std::vector<PageItem> items;
  if (!forFile && !sendOrder_.empty()) {
    for (int number : sendOrder_) items.push_back({number, -1});
    return items;
  }
  for (const Binding& binding : bindings_) items.push_back({binding.number(), -1});
  return items;
}

ItemText CItemPage::DescribeItem(const model::ParameterImage& image, int number, int /*subIndex*/,
                                 bool /*forReport*/) const {
  const Binding* binding = find(number);
  if (binding == nullptr) return {};
  const std::int32_t value = ValueIn(image, number).value_or(0);
  if (binding->kind == Binding::Kind::Level) {
    return {caption(), std::string(binding->level.key), binding->level.Text(value)};
  }
  return {caption(), std::string(binding->choice.key), std::string(binding->choice.Text(value))};
}

bool CItemPage::ParseItem(model::ParameterImage& image, int number, int /*subIndex*/, std::string_view text) {
  const Binding* binding = find(number);
  if (binding == nullptr) return false;
  std::optional<std::int32_t> value;
  switch (binding->kind) {
    case Binding::Kind::Radio:
      value = binding->choice.Parse(text, false);
      break;
    case Binding::Kind::Combo:
      value = binding->choice.Parse(text, true);
      break;
    case Binding::Kind::Level:
      value = binding->level.Parse(text);
      break;
  }
  return value && model::SetParameter(image, number, *value);
}

void CItemPage::onRadio(int number, ui::RadioGroup& radios) {
  if (!ConfirmChoice(number, radios.selected())) radios.setSelected(0);
  Store(number, radios.selected());
  OnStored(number);
  SendItem(number);
}

void CItemPage::onList(int number, ui::CListCombo& list) {
  const std::int32_t previous = Value(number);
  const std::int32_t value = list.curSel();
  Store(number, value);
  if (!AcceptChoice(number, value, previous)) {
    Store(number, previous);
    list.setCurSel(previous);
  }
  OnStored(number);
  SendItem(number);
}

void CItemPage::onSliderDraw(const LevelItem& item, ui::CLevelSlider& slider, ui::StaticText* label) {
  if (!mayStoreSliderValue()) return;
  const std::int32_t value = slider.GetValue();
  Store(item.number, value);
  if (label != nullptr) label->setText(LabelText(item, value));
}

}  // namespace tw::pages
