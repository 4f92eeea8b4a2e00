#include "ui/ui_services.h"

#include <array>
#include <string>

namespace tw::ui {
namespace {

struct MessageEntry {
  int id;
  std::string_view text;
};

// The texts exactly as users have always seen them.
constexpr std::array<MessageEntry, 14> kMessages{{
    {msg::kInitializationError, "Communication error has occurred during initialization."},
    {msg::kComPortError, "COM port error has occurred."},
    {msg::kConnectionCheckError, "Connection check error has occurred."},
    {msg::kCableCheckError, "Cable Check Error"},
    {msg::kReloadNotice, "Application will start reloading the configuration."},
    {msg::kStopInitialization, "Initialization is stopped.\nIs it all right?"},
    {msg::kInterruptTransmission, "Transmission of a command is interrupted. \nIs it all right?"},
    {msg::kOverwrite, "It overwrites. \nIs it all right?"},
    {msg::kSystemMemoryLoaded,
     "\"System Memory Load\" was selected.\r\nGUI does not reflect the loaded values.\r\n"
     "Wolud you like to refresh the GUI?\r\n(It will take about 2 minutes.)"},
    {msg::kFactoryReset, "All the parameters of this unit will be reset\nto the initial factory settings."},
    {msg::kDisplaySetReset, "The parameter settings for Display Set\nwill be initialized."},
    {msg::kConnected, "Connected TQ-N4400"},
    {msg::kNotConnected, "Not Connected"},
    {msg::kConnecting, "Connecting TQ-N4400"},
}};

}  // namespace

std::string_view MessageText(int id) {
  for (const MessageEntry& entry : kMessages) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

void ShowError(UiServices& ui, int id, std::string_view detail) {
  std::string text(MessageText(id));
  if (!detail.empty()) text.append("\n\n").append(detail);
  ui.messageBox(text, kApplicationTitle, MessageIcon::Stop, MessageButtons::Ok);
}

bool AskOkCancel(UiServices& ui, int id, std::string_view caption) {
  return ui.messageBox(MessageText(id), caption, MessageIcon::Question, MessageButtons::OkCancel) ==
         MessageResult::Ok;
}

bool AskYesNo(UiServices& ui, int id, std::string_view caption) {
  return ui.messageBox(MessageText(id), caption, MessageIcon::Question, MessageButtons::YesNo) ==
         MessageResult::Yes;
}

MessageResult CancelledResult(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageResult::Ok;
    case MessageButtons::OkCancel:
      return MessageResult::Cancel;
    case MessageButtons::YesNo:
      return MessageResult::No;
    case MessageButtons::SaveDiscardCancel:
      return MessageResult::Cancel;
  }
  return MessageResult::Cancel;
}

}  // namespace tw::ui
