#include "ui/controls/combo_box.h"

namespace tw::ui {

void ListCombo::Fill(std::span<const std::string_view> strings) {
  resetContent();
  for (std::string_view text : strings) addString(std::string(text));
}

void ListCombo::Fill(std::span<const std::string> strings) {
  resetContent();
  for (const std::string& text : strings) addString(text);
}

}  // namespace tw::ui
