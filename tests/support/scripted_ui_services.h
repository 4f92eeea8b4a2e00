#pragma once

#include "ui/ui_services.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw::ui {

// UiServices for tests: answers come from a script, and everything shown is recorded.
//
// A box with only OK needs no answer. A question takes the next scripted answer; with
// none left, or with an answer that is not one of its buttons, it gets its cancelling
// answer (Cancel or No) and counts as a script mismatch, so a test can insist on none.
// A scripted answer may carry an action that runs while the box is open (the receiver
// answering meanwhile, say); if that action closes the box by its caption, the box
// returns Cancel instead of the scripted answer.
class ScriptedUiServices : public UiServices {
 public:
  struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult result = MessageResult::Ok;
    bool closedByProgram = false;
  };

  void answer(MessageResult result, std::function<void()> whileOpen = {});
  void answerFile(std::optional<std::string> path);

  const std::vector<ShownMessage>& messages() const { return messages_; }
  const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
  int beeps() const { return beeps_; }
  int waitCursorDepth() const { return waitDepth_; }
  int waitCursorShows() const { return waitShows_; }
  int scriptMismatches() const { return mismatches_; }
  std::size_t unusedAnswers() const { return answers_.size(); }
  std::size_t unusedFileAnswers() const { return fileAnswers_.size(); }

  MessageResult messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  bool closeMessageBox(std::string_view caption) override;
  void beep() override { ++beeps_; }
  void beginWaitCursor() override;
  void endWaitCursor() override;
  std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;

 private:
  struct Answer {
    MessageResult result;
    std::function<void()> whileOpen;
  };
  struct OpenBox {
    std::string caption;
    bool closed = false;
  };

  std::optional<std::string> nextFile(const FileDialogRequest& request);

  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::vector<ShownMessage> messages_;
  std::vector<FileDialogRequest> fileDialogs_;
  std::vector<OpenBox> openBoxes_;  // innermost last
  int beeps_ = 0;
  int waitDepth_ = 0;
  int waitShows_ = 0;
  int mismatches_ = 0;
};

}  // namespace tw::ui
