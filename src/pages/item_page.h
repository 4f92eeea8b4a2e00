#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <variant>
#include <vector>

#include "pages/base_page.h"
#include "pages/page_items.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/list_view.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"
#include "ui/controls/step_slider.h"

namespace tw::pages {

// A page made of table items (page_items.h) bound to controls. It gives every page
// operation for its items, so that a page is its tables, its own rules and a layout:
// - values go through the model's per-parameter setters (or the items' records), so an
//   item needs only its number;
// - radio click: [ConfirmChoice], store, OnStored, SendItem;
// - list selection: store the entry's value, AcceptChoice (may restore the previous value),
//   OnStored, SendItem; check box click: store, OnStored, SendItem;
// - slider repaint: store and relabel unless a transfer dialog is open; release: SendItem;
// - an item the receiver lacks (its Needs) is disabled, never sent or queued, but still
//   filed and reported.
//
// Items with records (one value per channel, say) have one item per record in files,
// reports and downloads (record by record); their controls show the record ShownRecord().
//
// What the items are, how files, reports and downloads see them, is the page's settings
// (src/settings); the page adds controls and interaction.
class ItemPage : public BasePage {
 public:
  // A page whose settings are the items its Bind and Add calls name, in that order.
  ItemPage(const PageContext& context, std::string caption);
  // A page over settings of the catalogue: Bind attaches a control to one of their items.
  ItemPage(const PageContext& context, const settings::PageSettings& settings);

  // UpdateControlStates, then every bound control shows the page's image.
  void RefreshAll() override;
  // Only on the active page with a window; the update flag also runs UpdateControlStates.
  void RefreshItem(int number, bool update) override;
  // Enables each bound control by its item's availability, refills the lists whose entries
  // depend on the receiver, then UpdateControlStates.
  void UpdateAvailability() override;
  // A two-button group whose focused button is not the selected one moves its focus there.
  void RestoreFocus() override;

  // The control bound to item `number`, by kind; std::out_of_range when the page binds no
  // such control to it.
  ui::RadioGroup& group(int number) const { return controlOf<ui::RadioGroup>(number, Kind::Radio); }
  ui::ListCombo& list(int number) const { return controlOf<ui::ListCombo>(number, Kind::Combo); }
  ui::CheckBox& check(int number) const { return controlOf<ui::CheckBox>(number, Kind::Check); }
  ui::LevelSlider& slider(int number) const { return controlOf<ui::LevelSlider>(number, Kind::Level); }
  ui::StepSlider& stepSlider(int number) const { return controlOf<ui::StepSlider>(number, Kind::Step); }
  // The value label of a slider.
  ui::StaticText& label(int number) const;

 protected:
  void Bind(const ChoiceItem& item, ui::RadioGroup& radios);
  // The list is filled with the item's shown and available entries, each with the value it
  // stores as item data, when the window is created and when availability changes.
  void Bind(const ChoiceItem& item, ui::ListCombo& list);
  // Unchecked is the item's first entry, checked its second.
  void Bind(const ChoiceItem& item, ui::CheckBox& box);
  // The slider is set up from the item when the window is created; `label` (may be null)
  // shows LabelText.
  void Bind(const LevelItem& item, ui::LevelSlider& slider, ui::StaticText* label = nullptr);
  void Bind(const LevelItem& item, ui::StepSlider& slider, ui::StaticText* label = nullptr);
  // Items without a control of their own: they are filed, reported, parsed and sent like
  // the others; the page shows them itself (or in a list-view cell, below).
  // Controls the page makes for items of its settings: the page owns them and binds them at
  // once. A radio group is framed `frameId` and its buttons take the ids after it.
  ui::RadioGroup& MakeRadios(int number, int frameId, std::string caption);
  ui::ListCombo& MakeList(int number, int id);
  ui::CheckBox& MakeCheck(int number, int id, std::string caption);
  ui::LevelSlider& MakeSlider(int number, int id, int labelId);
  // A step slider with a value label when `labelId` is not kNoLabel.
  static constexpr int kNoLabel = -1;
  ui::StepSlider& MakeStepSlider(int number, int id, int labelId = kNoLabel);

  void Add(const ChoiceItem& item);
  void Add(const LevelItem& item);
  void Add(const TextItem& item);
  // The item's label text (text items: their file text) also shows in this list-view cell.
  void ShowInCell(int number, ui::ListView& view, int row, int column);
  // The order in which QueueAll sends the items, when it differs from the file order.
  void SetSendOrder(std::vector<int> numbers);

  // Fills the bound lists and sets up the bound sliders. Pages that override call it.
  void InitControls() override;

  // An integer value of an image, by parameter number; nothing when the number names none.
  static std::optional<std::int32_t> ValueIn(const model::ParameterImage& image, int number);
  // The page's own image, in the shown record for items with records.
  std::int32_t Value(int number) const;
  bool Store(int number, std::int32_t value) const;
  std::string TextValue(int number) const { return ReadText(pageImage(), number).value_or(""); }
  // Shows one item of the page's image in its control and cell.
  void ShowItem(int number);
  // Enables an item's control (and its label) when `enabled` and the item is available.
  void SetItemEnabled(int number, bool enabled);
  // The control bound to `number`, or null.
  ui::Control* ControlOf(int number) const;

  // --- the page's own rules ---
  // The record the controls of items with records show.
  virtual int ShownRecord() const { return 0; }
  // Asked before a radio change is stored; false sets the group back to its first button,
  // and that value is stored and sent instead.
  virtual bool ConfirmChoice(int /*number*/, int /*index*/) { return true; }
  // A list selection was stored; false restores `previous` in the image and the list.
  virtual bool AcceptChoice(int /*number*/, std::int32_t /*value*/, std::int32_t /*previous*/) {
    return true;
  }
  // A user edit was stored and is about to be sent.
  virtual void OnStored(int /*number*/) {}
  // The text of a slider's value label.
  virtual std::string LabelText(const LevelItem& item, std::int32_t value) const { return item.LabelText(value); }

 private:
  enum class Kind { None, Radio, Combo, Check, Level, Step };
  using AnyItem = settings::AnyItem;
  struct Cell {
    ui::ListView* view = nullptr;
    int row = 0;
    int column = 0;
  };
  struct Binding {
    Kind kind = Kind::None;
    AnyItem item;
    ui::Control* control = nullptr;
    ui::StaticText* label = nullptr;
    std::vector<Cell> cells;
    int number() const;
    const Records* records() const;
  };

  Binding& add(Kind kind, AnyItem item, ui::Control* control, ui::StaticText* label = nullptr);
  template <class Control>
  Control& controlOf(int number, Kind kind) const {
    const Binding* binding = find(number);
    if (binding == nullptr || binding->kind != kind) throw std::out_of_range("no such control on this page");
    return static_cast<Control&>(*binding->control);
  }
  template <class Slider>
  Slider& makeSlider(int number, int id, int labelId);
  template <class Control, class... Args>
  Control& own(Args&&... args) {
    owned_.push_back(std::make_unique<Control>(std::forward<Args>(args)...));
    return static_cast<Control&>(*owned_.back());
  }
  const Binding* find(int number) const;
  Binding* find(int number);
  int subIndexOf(const Binding& binding) const { return binding.records() != nullptr ? ShownRecord() : -1; }
  void fill(const Binding& binding) const;
  void show(const Binding& binding);
  void onChoice(int number, int entry);
  void onList(int number, ui::ListCombo& list);
  void onSliderDraw(int number, ui::Slider& slider, ui::StaticText* label);


  std::unique_ptr<settings::PageSettings> ownSettings_;  // for a page that names its items itself
  std::vector<Binding> bindings_;
  std::vector<std::unique_ptr<ui::Control>> owned_;  // the controls the page made
};

}  // namespace tw::pages
