#pragma once

#include "ui/controls/control.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tw::ui {

// A text box. Its text is 8-bit, counted in bytes, and never longer than the maximum
// length (0 = no limit): typing stops there, and text set by the program is cut to it.
// A box set to UTF-8 holds text in any script instead, and counts characters.
class EditBox : public Control {
 public:
  explicit EditBox(int id, std::size_t maxLength = 0) : Control(id, {}), maxLength_(maxLength) {}
  ControlKind kind() const override { return ControlKind::EditBox; }

  std::size_t maxLength() const { return maxLength_; }
  // A new limit cuts the current text to it.
  void setMaxLength(std::size_t maxLength);

  bool isReadOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly);
  // Rendering hints: several lines (Return makes a new line) with a vertical scroll bar.
  bool isMultiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine) { multiLine_ = multiLine; }
  // Rendering hint: the text stands as it is (lines never wrapped, a fixed-width font, both
  // scroll bars), and the box is wide enough for its longest line where the screen allows.
  bool isPreformatted() const { return preformatted_; }
  void setPreformatted(bool preformatted) { preformatted_ = preformatted; }
  // The text is UTF-8 and the maximum length counts characters (never cutting one in two);
  // otherwise every byte is a character of its own.
  bool isUtf8() const { return utf8_; }
  void setUtf8(bool utf8);

  void setText(std::string text) override;

  // User: the box now holds `text` (typed or pasted over the old content), cut to the
  // maximum length; then onChange runs. Refused when read-only.
  bool type(std::string text);

  std::function<void()> onChange;

 private:
  std::string limited(std::string text) const;

  std::size_t maxLength_;
  bool readOnly_ = false;
  bool multiLine_ = false;
  bool preformatted_ = false;
  bool utf8_ = false;
};

}  // namespace tw::ui
