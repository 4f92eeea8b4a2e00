#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/ui_services.h"

namespace tw::cli {

// For a tool that never asks: message boxes are kept (and, when `echo`, written to stderr);
// a question gets its cancelling answer, since nobody is there to answer it. No wait
// cursor, no beep, no file dialogs.
class CliUiServices final : public ui::UiServices {
 public:
  explicit CliUiServices(bool echo = true) : echo_(echo) {}
  ui::MessageResult messageBox(std::string_view text, std::string_view caption, ui::MessageIcon icon,
                               ui::MessageButtons buttons) override;
  bool closeMessageBox(std::string_view) override { return false; }
  void beep() override {}
  void beginWaitCursor() override {}
  void endWaitCursor() override {}
  std::optional<std::string> askOpenFile(const ui::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> askSaveFile(const ui::FileDialogRequest&) override { return std::nullopt; }

  // Every message shown, on one line each.
  std::vector<std::string> messages;

 private:
  bool echo_;
};

}  // namespace tw::cli
