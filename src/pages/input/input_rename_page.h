#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/item_page.h"
#include "settings/input/input_rename_settings.h"
#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/list_view.h"

namespace tw::pages {

// Input Rename: an eight-character name per input (240..253). The list shows every input
// with its name; the selected input takes the text of the edit box with "Enter".
class InputRenamePage final : public ItemPage {
 public:
  static constexpr int kFirstNumber = settings::input_rename::kFirstNumber;
  static constexpr int kInputCount = settings::input_rename::kInputCount;
  static constexpr std::size_t kNameLength = settings::input_rename::kNameLength;

  explicit InputRenamePage(const PageContext& context);

  // A name as the receiver stores it: the text padded with blanks to eight characters.
  // Nothing for a text the line cannot carry (beyond printable ASCII, or longer than eight
  // characters once blanks past the eighth are dropped).
  static std::optional<std::string> PaddedName(std::string_view text);

  // The edit box and Enter serve the selected input only while the receiver has it.
  void UpdateControlStates() override;

  ui::ListView& names() { return names_; }
  ui::EditBox& edit() { return edit_; }
  ui::Button& enterButton() { return enter_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;

 private:
  void onInputSelected();
  void onEnter();

  ui::ListView names_;
  ui::EditBox edit_;
  ui::Button enter_;
  ui::Button default_;
};

}  // namespace tw::pages
