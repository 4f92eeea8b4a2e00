#include "ui/controls/edit_box.h"

#include "files/utf8_text.h"

namespace tw::ui {

std::string EditBox::limited(std::string text) const {
  if (maxLength_ == 0) return text;
  if (utf8_) return files::Utf8Prefix(std::move(text), maxLength_);
  if (text.size() > maxLength_) text.resize(maxLength_);
  return text;
}

void EditBox::setUtf8(bool utf8) {
  utf8_ = utf8;
  Control::setText(limited(text()));
}

void EditBox::setMaxLength(std::size_t maxLength) {
  maxLength_ = maxLength;
  Control::setText(limited(text()));
}

void EditBox::setReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  notify(Change::Enabled);
}

void EditBox::setText(std::string text) { Control::setText(limited(std::move(text))); }

bool EditBox::type(std::string text) {
  if (!isUsable() || readOnly_) return false;
  Control::setText(limited(std::move(text)));
  if (onChange) onChange();
  return true;
}

}  // namespace tw::ui
