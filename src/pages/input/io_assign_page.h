#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/item_page.h"
#include "settings/input/io_assign_settings.h"
#include "ui/controls/button.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"

namespace tw::pages {

// I/O Assign: which input each digital, component and HDMI connector belongs to
// (254..267). The connector list shows each connector with its input; an input picked in
// the input list goes to the selected connector with "Select", which is enabled only for a
// pair the receiver allows.
//
// A forbidden pair never reaches the receiver: the page does not offer it, and its settings
// refuse one that a file or a command line names and never send a stored one.
class IoAssignPage final : public ItemPage {
 public:
  static constexpr int kFirstNumber = settings::io_assign::kFirstNumber;
  static constexpr int kConnectorCount = settings::io_assign::kConnectorCount;
  static constexpr int kInputCount = settings::io_assign::kInputCount;

  explicit IoAssignPage(const PageContext& context);

  // Whether input `input` (0..12) may be assigned to connector `connector` (0..13).
  static bool IsAllowed(int connector, int input);

  // "Select" is enabled exactly for an allowed pair.
  void UpdateControlStates() override;

  // The "Select" handler: a forbidden pair beeps and changes nothing.
  void OnSelect();

  ui::ListView& connectors() { return connectors_; }
  ui::ListBox& inputs() { return inputs_; }
  ui::Button& selectButton() { return select_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;

 private:
  ui::ListView connectors_;
  ui::ListBox inputs_;
  ui::Button select_;
  ui::Button default_;
};

}  // namespace tw::pages
