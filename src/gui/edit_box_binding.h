#pragma once

#include "gui/control_binding.h"
#include "ui/controls/edit_box.h"

class QLineEdit;
class QPlainTextEdit;

namespace tw::gui {

// A one-line edit (QLineEdit) or, for a multi-line box, a QPlainTextEdit. Every edit by the
// user is one type() with the whole new text, as the edit's change notification would be.
// Several lines travel as CR LF in the model and as line feeds in the widget.
class EditBoxBinding : public ControlBinding {
 public:
  explicit EditBoxBinding(ui::EditBox& box);

 protected:
  void showText() override;
  void showEnabled() override;

 private:
  void userEdited();

  ui::EditBox& box_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* lines_ = nullptr;
};

// "a\r\nb" in the model is "a\nb" in a multi-line widget and back.
QString ModelToLines(const std::string& text);
std::string LinesToModel(const QString& text);

}  // namespace tw::gui
