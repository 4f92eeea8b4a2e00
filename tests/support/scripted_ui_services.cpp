#include "support/scripted_ui_services.h"

namespace tw::ui {
namespace {

bool Offers(MessageButtons buttons, MessageResult result) {
  switch (buttons) {
    case MessageButtons::Ok: return result == MessageResult::Ok;
    case MessageButtons::OkCancel: return result == MessageResult::Ok || result == MessageResult::Cancel;
    case MessageButtons::YesNo: return result == MessageResult::Yes || result == MessageResult::No;
    case MessageButtons::SaveDiscardCancel:
      return result == MessageResult::Save || result == MessageResult::Discard || result == MessageResult::Cancel;
  }
  return false;
}

MessageResult Cancelling(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return MessageResult::Ok;
    case MessageButtons::OkCancel: return MessageResult::Cancel;
    case MessageButtons::YesNo: return MessageResult::No;
    case MessageButtons::SaveDiscardCancel: return MessageResult::Cancel;
  }
  return MessageResult::Cancel;
}

}  // namespace

void ScriptedUiServices::answer(MessageResult result, std::function<void()> whileOpen) {
  answers_.push_back(Answer{result, std::move(whileOpen)});
}

void ScriptedUiServices::answerFile(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }

MessageResult ScriptedUiServices::messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                                             MessageButtons buttons) {
  const std::size_t record = messages_.size();
  messages_.push_back(ShownMessage{std::string(text), std::string(caption), icon, buttons, MessageResult::Ok, false});
  if (buttons == MessageButtons::Ok) return MessageResult::Ok;

  MessageResult result = Cancelling(buttons);
  std::function<void()> whileOpen;
  if (answers_.empty()) {
    ++mismatches_;
  } else {
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    whileOpen = std::move(next.whileOpen);
    if (Offers(buttons, next.result)) result = next.result;
    else ++mismatches_;
  }

  openBoxes_.push_back(OpenBox{std::string(caption), false});
  const std::size_t depth = openBoxes_.size();
  if (whileOpen) whileOpen();
  // Boxes opened by the action have ended by now; this one is the innermost again.
  openBoxes_.resize(depth);
  if (openBoxes_.back().closed) {
    result = Cancelling(buttons);
    messages_[record].closedByProgram = true;
  }
  openBoxes_.pop_back();
  messages_[record].result = result;
  return result;
}

bool ScriptedUiServices::closeMessageBox(std::string_view caption) {
  for (auto box = openBoxes_.rbegin(); box != openBoxes_.rend(); ++box) {
    if (!box->closed && box->caption == caption) {
      box->closed = true;
      return true;
    }
  }
  return false;
}

void ScriptedUiServices::beginWaitCursor() {
  ++waitDepth_;
  ++waitShows_;
}

void ScriptedUiServices::endWaitCursor() {
  if (waitDepth_ > 0) --waitDepth_;
}

std::optional<std::string> ScriptedUiServices::nextFile(const FileDialogRequest& request) {
  fileDialogs_.push_back(request);
  if (fileAnswers_.empty()) return std::nullopt;
  std::optional<std::string> path = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  return path;
}

std::optional<std::string> ScriptedUiServices::askOpenFile(const FileDialogRequest& request) {
  return nextFile(request);
}

std::optional<std::string> ScriptedUiServices::askSaveFile(const FileDialogRequest& request) {
  return nextFile(request);
}

}  // namespace tw::ui
