#pragma once

#include "gui/control_binding.h"
#include "ui/controls/edit_box.h"

class QLineEdit;
class QPlainTextEdit;

namespace tw::gui {

// A one-line edit (QLineEdit) or, for a multi-line box, a QPlainTextEdit. Every edit by the
// user is one type() with the whole new text, as the edit's change notification would be.
// Several lines travel as CR LF in the model and as line feeds in the widget. A box set to
// UTF-8 exchanges its text as UTF-8, any other as Latin-1 (one byte per character). A
// preformatted box never wraps, uses the fixed-width font and asks for the width of its
// longest line (within the screen).
class EditBoxBinding : public ControlBinding {
 public:
  explicit EditBoxBinding(ui::EditBox& box);

 protected:
  void showText() override;
  void showEnabled() override;

 private:
  void userEdited();
  QString fromModel(const std::string& text) const;
  std::string toModel(const QString& text) const;
  void fitLongestLine();

  ui::EditBox& box_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
};

// "a\r\nb" in the model is "a\nb" in a multi-line widget and back (Latin-1 text).
QString ModelToLines(const std::string& text);
std::string LinesToModel(const QString& text);

}  // namespace tw::gui
