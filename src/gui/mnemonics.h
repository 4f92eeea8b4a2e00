#pragma once

#include <QString>

class QWidget;

namespace tw::gui {

// The letters the menu bar's titles already use for Alt (lower case).
QString ReservedMnemonics(const QWidget* menuBar);

// Gives the buttons, check boxes, radio buttons and control captions under `root` an Alt
// letter each, preferring the first letter of a word, never one of `taken` and never one
// twice; a text that has a letter marked already keeps it. Only the widgets' texts change
// (the underline), not the models'. Returns the letters used.
QString AssignMnemonics(QWidget* root, const QString& taken);

}  // namespace tw::gui
