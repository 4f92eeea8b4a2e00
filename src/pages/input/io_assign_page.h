#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"

namespace tw::pages {

// I/O Assign: which input each digital, component and HDMI connector belongs to
// (254..267). The connector list shows each connector with its input; an input picked in
// the input list goes to the selected connector with "Select", which is enabled only for a
// pair the receiver allows.
//
// A forbidden pair never reaches the receiver: the page does not offer it, a file or a
// command line that names one is refused, and a stored one is not sent.
class CIOAssign final : public CItemPage {
 public:
  static constexpr std::string_view kCaption = "I/O Assign";
  static constexpr int kTemplateId = 135;
  static constexpr int kFirstNumber = 254;
  static constexpr int kConnectorCount = 14;
  static constexpr int kInputCount = 13;

  explicit CIOAssign(const PageContext& context);

  // Whether input `input` (0..12) may be assigned to connector `connector` (0..13).
  static bool IsAllowed(int connector, int input);

  // The report names each connector as the list does ("[A] Component IN 1"); the file
  // writes its brackets as parentheses, without the list's indent.
  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override;
  // Any input name, except one the connector does not allow.
  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) override;
  // "Select" is enabled exactly for an allowed pair.
  void UpdateControlStates() override;
  // The inputs the connector takes; for a forbidden pair, that the connector cannot take it.
  std::string RefusalReason(const model::ParameterImage& image, int number, int subIndex,
                            std::string_view text) const override;

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
