#pragma once

#include <string>
#include <vector>

#include "pages/item_page.h"
#include "pages/tuner/frequency_dlg.h"
#include "pages/tuner/preset_picker.h"
#include "settings/tuner/tuner_frequencies.h"
#include "settings/tuner/tuner_set_settings.h"
#include "ui/controls/button.h"

namespace tw::pages {

namespace tuner = settings::tuner;

// Tuner Set: the tuner's current frequency (436) and its 40 presets, pages A..E with eight
// presets each (437..476). The list shows the current frequency or one preset page; "AM"
// and "FM" pick a frequency of the tuner region's band for the selected entry in the
// Frequency dialog; "Default" puts back the region's factory presets.
class TunerSetPage final : public ItemPage {
 public:
  static constexpr int kCurrentNumber = settings::tuner_set::kCurrentNumber;
  static constexpr int kFirstPresetNumber = settings::tuner_set::kFirstPresetNumber;

  explicit TunerSetPage(const PageContext& context);

  // Shows the selected page's entries with their frequencies.
  void RefreshAll() override;
  // Only a number the list shows changes the screen; the others show on the next refresh.
  void RefreshItem(int number, bool update) override;
  // The Frequency dialog needs the main window and a band of the region.
  void UpdateControlStates() override;

  // The number of the selected entry: 436, or a preset of the selected page; 0 for none.
  int SelectedNumber() const;
  // What the list shows: 436 alone, or the eight presets of the selected page.
  std::vector<int> ShownNumbers() const;

  PresetPicker& picker() { return picker_; }
  ui::Button& amButton() { return am_; }
  ui::Button& fmButton() { return fm_; }
  ui::Button& defaultButton() { return default_; }
  FrequencyDialog& frequencyDialog() { return frequency_; }

 protected:
  void InitControls() override;

 private:
  void showPage();
  void pickFrequency(tuner::Band band);

  PresetPicker picker_;
  ui::Button am_;
  ui::Button fm_;
  ui::Button default_;
  FrequencyDialog frequency_;
};

}  // namespace tw::pages
