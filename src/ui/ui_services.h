#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::ui {

// The caption of every message box of the application (its title).
inline constexpr std::string_view kApplicationTitle = "Tunewright for N4400";

// The string-table messages, by their ids.
namespace msg {
inline constexpr int kInitializationError = 201;
inline constexpr int kComPortError = 202;
inline constexpr int kConnectionCheckError = 203;
inline constexpr int kCableCheckError = 205;
inline constexpr int kReloadNotice = 251;
inline constexpr int kStopInitialization = 252;
inline constexpr int kInterruptTransmission = 253;
inline constexpr int kOverwrite = 254;
inline constexpr int kSystemMemoryLoaded = 255;
inline constexpr int kFactoryReset = 256;
inline constexpr int kDisplaySetReset = 257;
inline constexpr int kConnected = 301;
inline constexpr int kNotConnected = 302;
inline constexpr int kConnecting = 303;
}  // namespace msg

// The text of message `id`; empty for an id the table does not hold.
std::string_view MessageText(int id);

enum class MessageIcon { None, Stop, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MessageResult { Ok, Cancel, Yes, No, Save, Discard };

// The answer a box gives when it is closed without a button, or when nobody is there to
// answer: Cancel, No for a Yes/No box, Ok for a box that has only OK.
MessageResult CancelledResult(MessageButtons buttons);

struct FileDialogRequest {
  std::string title;        // empty: the platform's own ("Open", "Save As")
  std::string filterName;   // for example "Configuration File (*.qcf)"
  std::string extension;    // for example ".qcf"; added to a name typed without one
  std::string initialPath;  // folder or file to start from; may be empty
};

// What the user interface offers application code: message boxes, the beep, the wait
// cursor and the file dialogs. The GUI implements it with Qt; tests script it.
class UiServices {
 public:
  virtual ~UiServices() = default;

  // Shows a modal message box and returns the button chosen. Closing the box any other
  // way gives Cancel (No for a Yes/No box; Ok for a box with only OK). Save / Discard /
  // Cancel is the question before unsaved changes would be lost.
  virtual MessageResult messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                   MessageButtons buttons) = 0;
  // Closes an open message box with this caption as if it had been cancelled; false when
  // none is open. (A progress dialog closes its own question this way when the link ends.)
  virtual bool closeMessageBox(std::string_view caption) = 0;

  virtual void beep() = 0;

  // Nested: the cursor is back to normal after as many ends as begins.
  virtual void beginWaitCursor() = 0;
  virtual void endWaitCursor() = 0;

  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> askOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> askSaveFile(const FileDialogRequest& request) = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(UiServices& ui) : ui_(ui) { ui_.beginWaitCursor(); }
  ~WaitCursor() { ui_.endWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiServices& ui_;
};

// The application's error box: message `id`, stop icon, OK, the application title. A
// non-empty `detail` (what went wrong and what to do) follows the message after a blank line.
void ShowError(UiServices& ui, int id, std::string_view detail = {});
// A question with OK and Cancel and the question icon; true when OK was chosen.
bool AskOkCancel(UiServices& ui, int id, std::string_view caption = kApplicationTitle);
// A question with Yes and No and the question icon; true when Yes was chosen.
bool AskYesNo(UiServices& ui, int id, std::string_view caption = kApplicationTitle);

}  // namespace tw::ui
