#include "pages/item_page.h"

#include <algorithm>
#include <utility>

#include "comm/upload_coverage.h"
#include "model/parameter_access.h"
#include "pages/radio_buttons.h"

namespace tw::pages {
namespace {

const LevelItem* AsLevel(const auto& item) { return std::get_if<LevelItem>(&item); }
const ChoiceItem* AsChoice(const auto& item) { return std::get_if<ChoiceItem>(&item); }
const TextItem* AsText(const auto& item) { return std::get_if<TextItem>(&item); }

// On the control of a setting the receiver never reports, so no upload or start-up read can
// have set it.
constexpr std::string_view kNotReadTip =
    "Not read from the receiver: the receiver never reports this setting, so this is the program's value, "
    "which may differ from the receiver's.";

}  // namespace

ItemPage::ItemPage(const PageContext& context, std::string caption)
    : BasePage(context, caption),
      ownSettings_(std::make_unique<settings::PageSettings>(std::move(caption))) {
  setSettings(*ownSettings_);
}

ItemPage::ItemPage(const PageContext& context, const settings::PageSettings& settings)
    : BasePage(context, settings) {}


void ItemPage::SetSendOrder(std::vector<int> numbers) {
  if (ownSettings_) ownSettings_->SetSendOrder(std::move(numbers));
}

int ItemPage::Binding::number() const { return settings::ItemNumber(item); }

const Records* ItemPage::Binding::records() const { return settings::ItemRecords(item); }

ItemPage::Binding& ItemPage::add(Kind kind, AnyItem item, ui::Control* control, ui::StaticText* label) {
  Binding binding;
  binding.kind = kind;
  binding.item = item;
  binding.control = control;
  binding.label = label;
  if (ownSettings_) {
    std::visit(settings::Overloaded{[&](const ChoiceItem& i) { ownSettings_->Add(i, kind == Kind::Combo); },
                          [&](const auto& i) { ownSettings_->Add(i); }},
               binding.item);
  }
  bindings_.push_back(std::move(binding));
  return bindings_.back();
}

void ItemPage::Bind(const ChoiceItem& item, ui::RadioGroup& radios) {
  add(Kind::Radio, item, &radios);
  const int number = item.number;
  radios.onClicked = [this, number](int index) { onChoice(number, index); };
}

void ItemPage::Bind(const ChoiceItem& item, ui::ListCombo& list) {
  add(Kind::Combo, item, &list);
  const int number = item.number;
  list.onSelChange = [this, number, &list] { onList(number, list); };
}

void ItemPage::Bind(const ChoiceItem& item, ui::CheckBox& box) {
  add(Kind::Check, item, &box);
  const int number = item.number;
  box.onClicked = [this, number, &box] { onChoice(number, box.checked()); };
}

void ItemPage::Bind(const LevelItem& item, ui::LevelSlider& slider, ui::StaticText* label) {
  add(Kind::Level, item, &slider, label);
  const int number = item.number;
  slider.onDragged = [this, number, &slider, label] { onSliderDraw(number, slider, label); };
  slider.onReleased = [this, number] { SendItem(number, subIndexOf(*find(number))); };
}

void ItemPage::Bind(const LevelItem& item, ui::StepSlider& slider, ui::StaticText* label) {
  add(Kind::Step, item, &slider, label);
  const int number = item.number;
  slider.onDragged = [this, number, &slider, label] { onSliderDraw(number, slider, label); };
  slider.onReleased = [this, number] { SendItem(number, subIndexOf(*find(number))); };
}

ui::RadioGroup& ItemPage::MakeRadios(int number, int frameId, std::string caption) {
  const ChoiceItem& item = settings().Choice(number);
  auto& radios = own<ui::RadioGroup>(frameId, std::move(caption), Buttons(item, frameId + 1));
  Bind(item, radios);
  return radios;
}

ui::ListCombo& ItemPage::MakeList(int number, int id) {
  auto& list = own<ui::ListCombo>(id);
  Bind(settings().Choice(number), list);
  return list;
}

ui::CheckBox& ItemPage::MakeCheck(int number, int id, std::string caption) {
  auto& box = own<ui::CheckBox>(id, std::move(caption));
  Bind(settings().Choice(number), box);
  return box;
}

template <class Slider>
Slider& ItemPage::makeSlider(int number, int id, int labelId) {
  auto& slider = own<Slider>(id);
  Bind(settings().Level(number), slider, labelId == kNoLabel ? nullptr : &own<ui::ValueLabel>(labelId));
  return slider;
}

ui::LevelSlider& ItemPage::MakeSlider(int number, int id, int labelId) {
  return makeSlider<ui::LevelSlider>(number, id, labelId);
}

ui::StepSlider& ItemPage::MakeStepSlider(int number, int id, int labelId) {
  return makeSlider<ui::StepSlider>(number, id, labelId);
}

ui::StaticText& ItemPage::label(int number) const {
  const Binding* binding = find(number);
  if (binding == nullptr || binding->label == nullptr) throw std::out_of_range("no such label on this page");
  return *binding->label;
}

void ItemPage::RestoreFocus() {
  for (const Binding& binding : bindings_) {
    if (binding.kind == Kind::Radio) RestoreRadioFocus(static_cast<ui::RadioGroup&>(*binding.control));
  }
}

void ItemPage::Add(const ChoiceItem& item) { add(Kind::None, item, nullptr); }
void ItemPage::Add(const LevelItem& item) { add(Kind::None, item, nullptr); }
void ItemPage::Add(const TextItem& item) { add(Kind::None, item, nullptr); }

void ItemPage::ShowInCell(int number, ui::ListView& view, int row, int column) {
  if (Binding* binding = find(number)) binding->cells.push_back({&view, row, column});
}

void ItemPage::fill(const Binding& binding) const {
  if (binding.kind != Kind::Combo) return;
  const ChoiceItem& item = *AsChoice(binding.item);
  auto& list = static_cast<ui::ListCombo&>(*binding.control);
  list.resetContent();
  for (int entry = 0; entry < item.count(); ++entry) {
    const bool present = item.entryNeeds.empty() ||
                         Satisfied(item.entryNeeds[static_cast<std::size_t>(entry)], link().capabilities());
    if (item.isShown(entry) && present) list.addString(std::string(item.texts[static_cast<std::size_t>(entry)]), item.ValueOf(entry));
  }
}

void ItemPage::InitControls() {
  for (const Binding& binding : bindings_) {
    fill(binding);
    const LevelItem* level = AsLevel(binding.item);
    const std::int32_t value = ReadValue(pageImage(), binding.records(), binding.number(), subIndexOf(binding)).value_or(0);
    if (binding.kind == Kind::Level) {
      static_cast<ui::LevelSlider*>(binding.control)
          ->Setup(nullptr, std::string(level->unit), level->min, level->max, level->step, value, ui::LevelStyle::Plain);
    } else if (binding.kind == Kind::Step) {
      static_cast<ui::StepSlider*>(binding.control)->Setup(level->min, level->max, level->step, value);
    }
  }
}

std::optional<std::int32_t> ItemPage::ValueIn(const model::ParameterImage& image, int number) {
  return ReadValue(image, nullptr, number, -1);
}

std::int32_t ItemPage::Value(int number) const {
  const Binding* binding = find(number);
  if (binding == nullptr) return ValueIn(pageImage(), number).value_or(0);
  return ReadValue(pageImage(), binding->records(), number, subIndexOf(*binding)).value_or(0);
}

bool ItemPage::Store(int number, std::int32_t value) const {
  const Binding* binding = find(number);
  if (binding == nullptr) return WriteValue(pageImage(), nullptr, number, -1, value);
  return WriteValue(pageImage(), binding->records(), number, subIndexOf(*binding), value);
}

const ItemPage::Binding* ItemPage::find(int number) const {
  for (const Binding& binding : bindings_) {
    if (binding.number() == number) return &binding;
  }
  return nullptr;
}

ItemPage::Binding* ItemPage::find(int number) {
  return const_cast<Binding*>(std::as_const(*this).find(number));
}

ui::Control* ItemPage::ControlOf(int number) const {
  const Binding* binding = find(number);
  return binding != nullptr ? binding->control : nullptr;
}

void ItemPage::show(const Binding& binding) {
  const int number = binding.number();
  std::string cellText;
  if (const TextItem* text = AsText(binding.item)) {
    cellText = text->Text(TextValue(number));
  } else {
    const std::int32_t value = Value(number);
    if (const ChoiceItem* choice = AsChoice(binding.item)) {
      const int entry = choice->EntryOf(value).value_or(-1);
      cellText = std::string(choice->Text(value));
      if (binding.kind == Kind::Radio) static_cast<ui::RadioGroup*>(binding.control)->setSelected(entry);
      if (binding.kind == Kind::Combo) static_cast<ui::ListCombo*>(binding.control)->selectData(value);
      if (binding.kind == Kind::Check) static_cast<ui::CheckBox*>(binding.control)->setChecked(entry == 1);
    } else {
      const LevelItem& level = *AsLevel(binding.item);
      cellText = LabelText(level, value);
      if (binding.kind == Kind::Level) static_cast<ui::LevelSlider*>(binding.control)->SetValue(value);
      if (binding.kind == Kind::Step) static_cast<ui::StepSlider*>(binding.control)->SetValue(value);
      if (binding.label != nullptr) binding.label->setText(cellText);
    }
  }
  for (const Cell& cell : binding.cells) cell.view->setCell(cell.row, cell.column, cellText);
  if (binding.control != nullptr) {
    const bool read = comm::IsReadByUpload(number, subIndexOf(binding));
    binding.control->setToolTip(read ? std::string() : std::string(kNotReadTip));
  }
}

void ItemPage::ShowItem(int number) {
  if (const Binding* binding = find(number)) show(*binding);
}

void ItemPage::SetItemEnabled(int number, bool enabled) {
  const Binding* binding = find(number);
  if (binding == nullptr || binding->control == nullptr) return;
  const bool usable = enabled && IsItemAvailable(number);
  binding->control->setEnabled(usable);
  if (binding->label != nullptr) binding->label->setEnabled(usable);
}

void ItemPage::RefreshAll() {
  UpdateControlStates();
  for (const Binding& binding : bindings_) show(binding);
}

void ItemPage::RefreshItem(int number, bool update) {
  if (!isActive() || !hasWindow()) return;
  ShowItem(number);
  if (update) UpdateControlStates();
}

void ItemPage::UpdateAvailability() {
  for (const Binding& binding : bindings_) {
    SetItemEnabled(binding.number(), true);
    const ChoiceItem* choice = AsChoice(binding.item);
    if (binding.kind == Kind::Combo && !choice->entryNeeds.empty()) {
      fill(binding);
      show(binding);
    }
  }
  UpdateControlStates();
}

void ItemPage::onChoice(int number, int entry) {
  const Binding* binding = find(number);
  const ChoiceItem& item = *AsChoice(binding->item);
  if (!ConfirmChoice(number, entry)) {
    entry = 0;
    if (binding->kind == Kind::Radio) static_cast<ui::RadioGroup*>(binding->control)->setSelected(0);
    if (binding->kind == Kind::Check) static_cast<ui::CheckBox*>(binding->control)->setChecked(0);
  }
  Store(number, item.ValueOf(entry));
  OnStored(number);
  SendItem(number, subIndexOf(*binding));
}

void ItemPage::onList(int number, ui::ListCombo& list) {
  const std::int32_t previous = Value(number);
  const auto value = static_cast<std::int32_t>(list.itemData(list.curSel()));
  Store(number, value);
  if (!AcceptChoice(number, value, previous)) {
    Store(number, previous);
    list.selectData(previous);
  }
  OnStored(number);
  SendItem(number, subIndexOf(*find(number)));
}

void ItemPage::onSliderDraw(int number, ui::Slider& slider, ui::StaticText* label) {
  if (!mayStoreSliderValue()) return;
  const std::int32_t value = slider.GetValue();
  Store(number, value);
  const Binding* binding = find(number);
  const std::string text = LabelText(*AsLevel(binding->item), value);
  if (label != nullptr) label->setText(text);
  for (const Cell& cell : binding->cells) cell.view->setCell(cell.row, cell.column, text);
}

}  // namespace tw::pages
