#pragma once

#include <QPointer>
#include <vector>

#include "ui/ui_services.h"

class QMessageBox;
class QWidget;

namespace tw::gui {

// Message boxes, beep, wait cursor and file dialogs on Qt. Boxes and dialogs belong to the
// active modal window when there is one (a question asked from a progress dialog sits on that
// dialog), otherwise to the owner window set here.
class QtUiServices final : public ui::UiServices {
 public:
  explicit QtUiServices(QWidget* owner = nullptr) : owner_(owner) {}

  void setOwner(QWidget* owner) { owner_ = owner; }

  ui::MessageResult messageBox(std::string_view text, std::string_view caption, ui::MessageIcon icon,
                               ui::MessageButtons buttons) override;
  bool closeMessageBox(std::string_view caption) override;
  void beep() override;
  void beginWaitCursor() override;
  void endWaitCursor() override;
  std::optional<std::string> askOpenFile(const ui::FileDialogRequest& request) override;
  std::optional<std::string> askSaveFile(const ui::FileDialogRequest& request) override;

 private:
  QWidget* parentWindow() const;
  std::optional<std::string> askFile(const ui::FileDialogRequest& request, bool save);

  QPointer<QWidget> owner_;
  std::vector<QPointer<QMessageBox>> openBoxes_;
  int waitDepth_ = 0;
};

}  // namespace tw::gui
