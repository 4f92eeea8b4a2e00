#pragma once

#include "ui/controls/layout.h"

#include <functional>
#include <memory>
#include <string>

namespace tw::ui {

// The framework's command ids that end a dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Where a dialog's window goes when it opens.
enum class DialogPlacement {
  Centered,      // over its owner (the screen for dialogs without one)
  HiddenCorner,  // a 1 by 1 pixel window at the top-left corner: it shows nothing but still
                 // blocks the user's input to the other windows
};

class Dialog;

// Shows and hides modal dialogs for application code. A modal dialog is a continuation
// here: showDialog returns at once, the user reaches only that dialog (and the dialogs and
// message boxes it opens) until the dialog ends, and the code that opened it continues in
// the callback it gave to Dialog::DoModal.
//
// How a renderer serves a dialog: build the window from dialog.form() with the caption
// dialog.caption(), placed as dialog.placement() says, with a title-bar close box only when
// hasSystemMenu(); route Esc and the close box to dialog.pressEscape(); take the window down
// in hideDialog (which comes before the opener's continuation runs).
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  virtual void showDialog(Dialog& dialog) = 0;
  virtual void hideDialog(Dialog& dialog) = 0;
};

// A modal dialog from a dialog template: its controls as a form, its caption, and the logic
// behind its buttons. It ends through EndDialog with the id of the command that ended it.
class Dialog {
 public:
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  int templateId() const { return templateId_; }
  // The window caption (it may differ from the template's, e.g. "Upload Comannd Sending").
  const std::string& caption() const { return caption_; }
  bool hasSystemMenu() const { return systemMenu_; }
  DialogPlacement placement() const { return placement_; }
  const Form& form() const { return *form_; }

  // Opens the dialog: initialises it, has `host` show it and returns. `onEnd` runs once,
  // with the result, after the dialog ended and its window is gone. A dialog that is
  // already open is left alone (false).
  bool DoModal(DialogHost& host, std::function<void(int result)> onEnd = {});
  bool isOpen() const { return open_; }
  int result() const { return result_; }

  // The Esc key, or the title-bar close box: the Cancel command (2).
  void pressEscape();

  // Ends the dialog with `result` (nothing when it is not open).
  void EndDialog(int result);

 protected:
  Dialog(int templateId, std::string caption, bool systemMenu = false);

  // Derived dialogs declare their layout once, in their constructor.
  void setLayout(LayoutNode root, bool consumesArrowKeys = false);
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  void setPlacement(DialogPlacement placement) { placement_ = placement; }

  // Before the window shows (controls are filled here).
  virtual void OnInitDialog() {}
  // The Cancel command (Esc); by default ends with Cancel.
  virtual void OnCancel() { EndDialog(kIdCancel); }

 private:
  int templateId_;
  std::string templateCaption_;
  std::string caption_;
  bool systemMenu_;
  DialogPlacement placement_ = DialogPlacement::Centered;
  std::unique_ptr<Form> form_;
  DialogHost* host_ = nullptr;
  std::function<void(int)> onEnd_;
  bool open_ = false;
  bool shown_ = false;
  int result_ = 0;
};

}  // namespace tw::ui
