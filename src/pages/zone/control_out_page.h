#pragma once

#include <array>
#include <string>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// CONTROL OUT: the two 12-volt trigger outputs (307..344, 345..382). Per output a Trigger
// Control list, an L/H pair per input and zone, "All High" and "All Low".
//
// What the receiver lacks (Zone2, Zone3, XM) is disabled and never sent; the values stay in
// the image and the file, so that a file moved to a receiver that has them carries them.
// The Trigger Control lists offer only the entries the receiver has; a stored value that
// is not offered is kept (the list then shows no entry) and is not sent, so the receiver
// keeps its own setting.
class ControlOutPage final : public ItemPage {
 public:

  explicit ControlOutPage(const PageContext& context);

  // Output 0 is CONTROL OUT1, any other CONTROL OUT2.
  ui::ListCombo& triggerControl(int output) { return controls(output).triggerControl; }
  ui::Button& allHigh(int output) { return controls(output).allHigh; }
  ui::Button& allLow(int output) { return controls(output).allLow; }

 private:
  struct OutputControls {
    OutputControls(int firstId, std::string caption);
    ui::GroupBox box;
    ui::ListCombo triggerControl;
    std::array<ui::StaticText, 3> headers;
    ui::Button allHigh;
    ui::Button allLow;
  };

  OutputControls& controls(int output) { return outputs_[output == 0 ? 0 : 1]; }
  // "All High" / "All Low": store, show, and in Real Time Mode send the output's triggers.
  void setAll(int output, std::int32_t value);

  std::array<OutputControls, 2> outputs_;
};

}  // namespace tw::pages
