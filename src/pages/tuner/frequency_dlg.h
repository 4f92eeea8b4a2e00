#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/button.h"
#include "ui/controls/list_view.h"
#include "ui/dialogs/dialog.h"

namespace tw::pages {

// "Frequency": picks one frequency of a list (the region's AM or FM band) for a tuner
// preset. The list shows each frequency in display form; OK, or a double click on a row,
// takes the selected row.
class FrequencyDialog final : public ui::Dialog {
 public:
  static constexpr int kTemplate = 140;
  static constexpr int kListId = 1211;

  FrequencyDialog();

  // The six-character texts to offer, and the one to select when the dialog opens (none
  // when it is not in the list). Call before DoModal.
  void SetChoices(std::vector<std::string> texts, std::string_view current);
  // After OK: the six-character text of the selected row; empty when no row was selected.
  const std::string& chosen() const { return chosen_; }

  ui::ListView& list() { return list_; }
  ui::Button& okButton() { return ok_; }
  ui::Button& cancelButton() { return cancel_; }

 private:
  void OnInitDialog() override;
  void OnOK();

  std::vector<std::string> texts_;
  std::string current_;
  std::string chosen_;
  ui::ListView list_;
  ui::Button ok_;
  ui::Button cancel_;
};

}  // namespace tw::pages
