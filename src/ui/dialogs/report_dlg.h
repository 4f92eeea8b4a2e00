#pragma once

#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/dialogs/dialog.h"

#include <functional>
#include <string>

namespace tw::ui {

// Shows the configuration report, built from the images when the dialog opens.
class ReportDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 156;
  static constexpr int kReportEdit = 1251;

  explicit ReportDialog(std::function<std::string()> buildReport);

  EditBox& reportEdit() { return edit_; }
  Button& closeButton() { return close_; }

 private:
  void OnInitDialog() override;

  std::function<std::string()> buildReport_;
  EditBox edit_;
  Button close_;
};

}  // namespace tw::ui
