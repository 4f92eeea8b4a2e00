#include "gui/qt_ui_services.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <algorithm>

#include "gui/qt_text.h"

namespace tw::gui {
namespace {

QMessageBox::Icon ToQt(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::None:
      return QMessageBox::NoIcon;
    case ui::MessageIcon::Stop:
      return QMessageBox::Critical;
    case ui::MessageIcon::Question:
      return QMessageBox::Question;
    case ui::MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case ui::MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(ui::MessageButtons buttons) {
  switch (buttons) {
    case ui::MessageButtons::Ok:
      return QMessageBox::Ok;
    case ui::MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case ui::MessageButtons::SaveDiscardCancel:
      return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Message texts carry Windows line ends; a lone CR would show as a box.
QString MessageText(std::string_view text) {
  QString shown = gui::ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

QWidget* QtUiServices::parentWindow() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner_.data();
}

ui::MessageResult QtUiServices::messageBox(std::string_view text, std::string_view caption,
                                           ui::MessageIcon icon, ui::MessageButtons buttons) {
  QMessageBox box(ToQt(icon), gui::ToQt(caption), MessageText(text), ToQt(buttons), parentWindow());
  box.setTextFormat(Qt::PlainText);
  openBoxes_.emplace_back(&box);
  box.exec();
  openBoxes_.erase(std::remove(openBoxes_.begin(), openBoxes_.end(), QPointer<QMessageBox>(&box)),
                   openBoxes_.end());
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
      return ui::MessageResult::Ok;
    case QMessageBox::Cancel:
      return ui::MessageResult::Cancel;
    case QMessageBox::Yes:
      return ui::MessageResult::Yes;
    case QMessageBox::No:
      return ui::MessageResult::No;
    case QMessageBox::Save:
      return ui::MessageResult::Save;
    case QMessageBox::Discard:
      return ui::MessageResult::Discard;
    default:
      return ui::CancelledResult(buttons);
  }
}

// The newest open box with that caption goes, as if nobody had pressed a button.
bool QtUiServices::closeMessageBox(std::string_view caption) {
  const QString wanted = gui::ToQt(caption);
  for (auto it = openBoxes_.rbegin(); it != openBoxes_.rend(); ++it) {
    QMessageBox* box = it->data();
    if (box != nullptr && box->windowTitle() == wanted && box->isVisible()) {
      box->QDialog::done(QDialog::Rejected);
      return true;
    }
  }
  return false;
}

void QtUiServices::beep() { QApplication::beep(); }

void QtUiServices::beginWaitCursor() {
  ++waitDepth_;
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUiServices::endWaitCursor() {
  if (waitDepth_ == 0) return;  // an unmatched end must not pop someone else's cursor
  --waitDepth_;
  QApplication::restoreOverrideCursor();
}

std::optional<std::string> QtUiServices::askFile(const ui::FileDialogRequest& request, bool save) {
  QFileDialog dialog(parentWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setWindowTitle(request.title.empty() ? (save ? QStringLiteral("Save As") : QStringLiteral("Open"))
                                              : gui::ToQt(request.title));
  QStringList filters;
  if (!request.filterName.empty()) filters << gui::ToQt(request.filterName);
  filters << QStringLiteral("All Files (*)");
  dialog.setNameFilters(filters);
  QString suffix = gui::ToQt(request.extension);
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  if (!request.initialPath.empty()) {
    const QFileInfo initial(QFile::decodeName(QByteArray::fromStdString(request.initialPath)));
    if (initial.isDir()) {
      dialog.setDirectory(initial.absoluteFilePath());
    } else {
      dialog.setDirectory(initial.absolutePath());
      dialog.selectFile(initial.fileName());
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<std::string> QtUiServices::askOpenFile(const ui::FileDialogRequest& request) {
  return askFile(request, false);
}

std::optional<std::string> QtUiServices::askSaveFile(const ui::FileDialogRequest& request) {
  return askFile(request, true);
}

}  // namespace tw::gui
