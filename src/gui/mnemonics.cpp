#include "gui/mnemonics.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QLabel>
#include <QWidget>

namespace tw::gui {
namespace {

// The letter after a single '&', lower case; a null character when there is none (an
// ampersand before a blank is the character itself, as in "R & D").
QChar MarkedLetter(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    if (text[i + 1].isLetterOrNumber()) return text[i + 1].toLower();
  }
  return {};
}

// Where the mark goes: the first letter of a word that is still free; none when every
// word's letter is taken (a mark inside a word reads badly, and Tab still gets there).
qsizetype ChooseLetter(const QString& text, const QString& used) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
    if (wordStart && text[i].isLetter() && !used.contains(text[i].toLower())) return i;
  }
  return -1;
}

QString Marked(const QString& text, QString& used) {
  if (text.isEmpty()) return text;
  if (const QChar letter = MarkedLetter(text); !letter.isNull()) {
    used += letter;
    return text;
  }
  // A lone ampersand is a character of the text: doubled, so that it still shows.
  QString escaped;
  for (qsizetype i = 0; i < text.size(); ++i) {
    escaped += text[i];
    if (text[i] != QLatin1Char('&')) continue;
    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
      escaped += text[++i];
    } else {
      escaped += QLatin1Char('&');
    }
  }
  const qsizetype at = ChooseLetter(escaped, used);
  if (at < 0) return escaped;
  used += escaped[at].toLower();
  return escaped.insert(at, QLatin1Char('&'));
}

}  // namespace

QString ReservedMnemonics(const QWidget* menuBar) {
  QString used;
  if (menuBar == nullptr) return used;
  for (const QAction* action : menuBar->actions()) {
    if (const QChar letter = MarkedLetter(action->text()); !letter.isNull()) used += letter;
  }
  return used;
}

QString AssignMnemonics(QWidget* root, const QString& taken) {
  QString used = taken;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->setText(Marked(button->text(), used));
    } else if (auto* label = qobject_cast<QLabel*>(widget);
               label != nullptr && label->buddy() != nullptr && qobject_cast<QAbstractSlider*>(label->buddy()) == nullptr) {
      // (a slider's caption names a channel; its letter would clutter a row of channels)
      label->setText(Marked(label->text(), used));
    }
  }
  return used.mid(taken.size());
}

}  // namespace tw::gui
