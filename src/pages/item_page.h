#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "pages/base_page.h"
#include "pages/page_items.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// A page made of table items bound to controls: radio groups and combo lists for choice
// items, level sliders for level items. It gives every page operation for its bound items
// (values go through the model's per-parameter setters, so an item needs only its number)
// and runs the handlers of the page rules:
// - radio click: [ConfirmChoice], store, OnStored, SendItem;
// - list selection: store, AcceptChoice (may restore the previous value), OnStored, SendItem;
// - slider repaint: store and relabel unless a transfer dialog is open; release: SendItem.
// A page family binds its tables in its constructor and overrides only its own rules.
class CItemPage : public CBasePage {
 public:
  using CBasePage::CBasePage;

  // UpdateControlStates, then every bound control shows the page's image.
  void RefreshAll() override;
  // Only on the active page with a window; the update flag also runs UpdateControlStates.
  void RefreshItem(int number, bool update) override;
  void QueueItem(const model::ParameterImage& image, int number, int subIndex) override;
  // Bound items in binding order; for sending, the send order when one was set.
  std::vector<PageItem> ListItems(bool forFile, int group) const override;
  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override;
  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) override;

 protected:
  void Bind(const ChoiceItem& item, ui::RadioGroup& radios);
  // The list is filled with the item's texts when the window is created.
  void Bind(const ChoiceItem& item, ui::CListCombo& list);
  // The slider is set up from the item when the window is created; `label` (may be null)
  // shows LabelText.
  void Bind(const LevelItem& item, ui::CLevelSlider& slider, ui::StaticText* label = nullptr);
  // The order in which QueueAll sends the items, when it differs from the file order.
  void SetSendOrder(std::vector<int> numbers) { sendOrder_ = std::move(numbers); }

  // Fills the bound lists and sets up the bound sliders. Pages that override call it.
  void InitControls() override;

  // A value of an image, by parameter number; nothing when the number names no integer.
  static std::optional<std::int32_t> ValueIn(const model::ParameterImage& image, int number);
  // The page's own image.
  std::int32_t Value(int number) const { return ValueIn(pageImage(), number).value_or(0); }
  bool Store(int number, std::int32_t value) const;
  // Shows one bound item of the page's image in its control.
  void ShowItem(int number);

  // --- the page's own rules ---
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
  virtual std::string LabelText(const LevelItem& item, std::int32_t value) const { return item.Text(value); }

 private:
  struct Binding {
    enum class Kind { Radio, Combo, Level };
    Kind kind = Kind::Radio;
    ChoiceItem choice;
    LevelItem level;
    ui::RadioGroup* radios = nullptr;
    ui::CListCombo* list = nullptr;
    ui::CLevelSlider* slider = nullptr;
    ui::StaticText* label = nullptr;
    int number() const { return kind == Kind::Level ? level.number : choice.number; }
  };

  const Binding* find(int number) const;
  void show(const Binding& binding);
  void onRadio(int number, ui::RadioGroup& radios);
  void onList(int number, ui::CListCombo& list);
  void onSliderDraw(const LevelItem& item, ui::CLevelSlider& slider, ui::StaticText* label);

  std::vector<Binding> bindings_;
  std::vector<int> sendOrder_;
};

}  // namespace tw::pages
