#pragma once

#include <array>

#include "pages/item_page.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/curve_view.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/static_text.h"

namespace tw::pages {

// Graphic EQ: seven band gains (398..404) for each of ten channel records; the Channel list
// picks the record the sliders show, and the response of that channel is drawn beside them.
// Files and reports hold 65 gains (the Subwoofer keeps only its first two bands there); a
// download sends all 70.
class GraphicEqPage final : public ItemPage {
 public:
  static constexpr int kChannelCount = 10;

  explicit GraphicEqPage(const PageContext& context);

  // The Channel list's record is taken again before the sliders show the image.
  void RefreshAll() override;
  void RefreshItem(int number, bool update) override;

  // The record shown (0 Center .. 9 Subwoofer).
  int currentRecord() const { return current_; }

  ui::ListCombo& channelList() { return channel_; }
  ui::CurveView& curve() { return curve_; }
  ui::Button& defaultButton() { return default_; }

 protected:
  void InitControls() override;
  int ShownRecord() const override { return current_; }
  // The record whose channel code a band's command carries.
  int SubIndexOfCommand(int number, std::string_view command) const override;

 private:
  // The record whose channel code is the Channel list's selected item data; the current
  // record stays when nothing matches.
  void takeChannelFromList();
  void showCurve();
  void resetToDefaults();

  int current_ = 0;
  ui::ListCombo channel_;
  ui::CurveView curve_;
  ui::Button default_;
};

}  // namespace tw::pages
