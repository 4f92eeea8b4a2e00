#pragma once

#include <string>
#include <vector>

#include "settings/configuration_compare.h"
#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/list_view.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::ui {

// Compare with Receiver: the settings in which the receiver differs from a file, one row
// each, page by page, with a check box (all checked at first); the search field shows the
// rows with its text in any column. The settings the receiver does not have are listed
// last and cannot be checked. Apply ends the dialog with the checked ones chosen.
class CompareDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 170;

  CompareDialog(std::string fileName, std::vector<settings::SettingDifference> differences);

  EditBox& searchEdit() { return search_; }
  ListView& list() { return list_; }
  StaticText& summary() { return summary_; }
  Button& applyButton() { return apply_; }
  Button& cancelButton() { return cancel_; }

  // The checked differences, whether shown by the search or not.
  std::vector<settings::SettingDifference> chosen() const;

 private:
  void OnInitDialog() override;
  void showRows();
  void showSummary();

  std::vector<settings::SettingDifference> differences_;
  std::vector<bool> checked_;
  std::vector<std::size_t> shown_;  // the difference of each row
  StaticText summary_;
  EditBox search_;
  ListView list_;
  Button apply_;
  Button cancel_;
};

}  // namespace tw::ui
