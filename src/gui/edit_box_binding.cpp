#include "gui/edit_box_binding.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
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
    if (box.isPreformatted()) {
      lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
      lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    connect(lines_, &QPlainTextEdit::textChanged, this, [this] { userEdited(); });
  } else {
    line_ = static_cast<QLineEdit*>(widget());
    connect(line_, &QLineEdit::textEdited, this, [this] { userEdited(); });
  }
}

QString EditBoxBinding::fromModel(const std::string& text) const {
  QString shown = box_.isUtf8() ? ToQt(text) : FromLatin1(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

std::string EditBoxBinding::toModel(const QString& text) const {
  QString crlf = text;
  if (lines_) {
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  }
  return box_.isUtf8() ? FromQt(crlf) : ToLatin1(crlf);
}

// As wide as the longest line and some thirty lines tall, within most of the screen.
void EditBoxBinding::fitLongestLine() {
  const QFontMetrics metrics(lines_->font());
  int widest = 0;
  for (const QString& line : lines_->toPlainText().split(QLatin1Char('\n'))) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  QSize wanted(widest + 2 * lines_->frameWidth() + lines_->verticalScrollBar()->sizeHint().width() +
                   2 * static_cast<int>(lines_->document()->documentMargin()) + metrics.averageCharWidth(),
               30 * metrics.lineSpacing());
  if (const QScreen* screen = lines_->screen() ? lines_->screen() : QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() * 8 / 10);
  }
  lines_->setMinimumSize(wanted);
}

void EditBoxBinding::userEdited() {
  const std::string typed = lines_ ? toModel(lines_->toPlainText()) : toModel(line_->text());
  box_.type(typed);
  // The model may have cut the text (or refused it); the widget shows what the model holds.
  if (box_.text() != typed) {
    const QSignalBlocker block(widget());
    showText();
  }
}

void EditBoxBinding::showText() {
  if (line_) {
    const QString text = fromModel(box_.text());
    const std::size_t limit = box_.maxLength();
    line_->setMaxLength(limit == 0 ? 32767 : static_cast<int>(std::min<std::size_t>(limit, 32767)));
    if (line_->text() != text) line_->setText(text);
    return;
  }
  const QString text = fromModel(box_.text());
  if (lines_->toPlainText() == text) return;
  lines_->setPlainText(text);
  if (box_.isPreformatted()) {
    fitLongestLine();
    lines_->moveCursor(QTextCursor::Start);  // a report is read from its top
  } else {
    lines_->moveCursor(QTextCursor::End);
  }
}

void EditBoxBinding::showEnabled() {
  ControlBinding::showEnabled();
  if (line_) line_->setReadOnly(box_.isReadOnly());
  if (lines_) lines_->setReadOnly(box_.isReadOnly());
}

}  // namespace tw::gui
