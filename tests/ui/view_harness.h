#pragma once

// The main view on top of the application harness: scripted message boxes and a dialog
// host that keeps the open dialogs, innermost last.

#include "app/app_harness.h"
#include "ui/dialogs/dialog.h"
#include "ui/main_view.h"
#include "ui/scripted_ui_services.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tw::ui::test {

using app::test::AppFixture;
using app::test::ReadFile;
using app::test::ScratchFolder;
using app::test::WriteFile;

class RecordingDialogHost final : public DialogHost {
 public:
  void showDialog(Dialog& dialog) override {
    open.push_back(&dialog);
    shown.push_back(dialog.caption());
  }
  void hideDialog(Dialog& dialog) override { open.erase(std::remove(open.begin(), open.end(), &dialog), open.end()); }
  Dialog* top() const { return open.empty() ? nullptr : open.back(); }

  std::vector<Dialog*> open;
  std::vector<std::string> shown;
};

}  // namespace tw::ui::test
