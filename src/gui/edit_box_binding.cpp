#include "gui/edit_box_binding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "gui/qt_text.h"

namespace tw::gui {
namespace {

QWidget* MakeEdit(const ui::EditBox& box) {
  if (box.isMultiLine()) return new QPlainTextEdit;
  return new QLineEdit;
}

}  // namespace

QString ModelToLines(const std::string& text) {
  QString lines = FromLatin1(text);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return lines;
}

std::string LinesToModel(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToLatin1(crlf);
}

EditBoxBinding::EditBoxBinding(ui::EditBox& box) : ControlBinding(box, MakeEdit(box)), box_(box) {
  if (box.isMultiLine()) {
    lines_ = static_cast<QPlainTextEdit*>(widget());
    lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(lines_, &QPlainTextEdit::textChanged, this, [this] { userEdited(); });
  } else {
    line_ = static_cast<QLineEdit*>(widget());
    connect(line_, &QLineEdit::textEdited, this, [this] { userEdited(); });
  }
}

void EditBoxBinding::userEdited() {
  const std::string typed = lines_ ? LinesToModel(lines_->toPlainText()) : ToLatin1(line_->text());
  box_.type(typed);
  // The model may have cut the text (or refused it); the widget shows what the model holds.
  if (box_.text() != typed) {
    const QSignalBlocker block(widget());
    showText();
  }
}

void EditBoxBinding::showText() {
  if (line_) {
    const QString text = FromLatin1(box_.text());
    const std::size_t limit = box_.maxLength();
    line_->setMaxLength(limit == 0 ? 32767 : static_cast<int>(std::min<std::size_t>(limit, 32767)));
    if (line_->text() != text) line_->setText(text);
    return;
  }
  const QString text = ModelToLines(box_.text());
  if (lines_->toPlainText() == text) return;
  lines_->setPlainText(text);
  lines_->moveCursor(QTextCursor::End);
}

void EditBoxBinding::showEnabled() {
  ControlBinding::showEnabled();
  if (line_) line_->setReadOnly(box_.isReadOnly());
  if (lines_) lines_->setReadOnly(box_.isReadOnly());
}

}  // namespace tw::gui
