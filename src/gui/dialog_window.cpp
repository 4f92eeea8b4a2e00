#include "gui/dialog_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/form_widget.h"
#include "gui/qt_text.h"
#include "ui/controls/button.h"

namespace tw::gui {

DialogWindow::DialogWindow(ui::Dialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(&dialog), form_(new FormWidget(dialog.form(), dialog.form().root(), FormStyle::Dialog, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(form_);
  setWindowTitle(ToQt(dialog.caption()));
  setObjectName(QStringLiteral("dialog%1").arg(dialog.templateId()));

  // A caption without a close box, unless the template has a system menu.
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (dialog.hasSystemMenu()) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialog.placement() == ui::DialogPlacement::HiddenCorner) flags = Qt::Dialog | Qt::FramelessWindowHint;
  setWindowFlags(flags);
  setWindowModality(Qt::ApplicationModal);
  if (dialog.placement() == ui::DialogPlacement::HiddenCorner) {
    // Shows nothing, yet as a modal window it keeps the user's input away from the others.
    setFixedSize(1, 1);
    move(0, 0);
  }

  // Return presses the template's OK button (id 1) when it is shown.
  if (ui::Control* ok = dialog.form().find(ui::kIdOk);
      ok != nullptr && ok->kind() == ui::ControlKind::Button) {
    if (auto* button = qobject_cast<QPushButton*>(form_->widgetFor(*ok))) button->setDefault(true);
  }
}

void DialogWindow::retire() {
  dialog_ = nullptr;
  form_->detach();
  hide();
  deleteLater();
}

void DialogWindow::reject() {
  if (dialog_ != nullptr) dialog_->pressEscape();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (dialog_ != nullptr) dialog_->pressEscape();
}

}  // namespace tw::gui
