#pragma once

#include <array>

#include "pages/item_page.h"
#include "pages/tuner/ipod_info.h"
#include "ui/controls/button.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {

// iPod: the dock's five settings (548..552, one radio group each), the dock operations
// (553, sent at once in Real Time Mode only), and what the receiver reports while the dock
// plays: the play information (554) in five fields and the list information (555) with its
// cursor line.
class IpodPage final : public ItemPage {
 public:
  static constexpr int kDockNumber = 553;
  static constexpr int kPlayInfoNumber = 554;
  static constexpr int kListInfoNumber = 555;

  explicit IpodPage(const PageContext& context);

  // The settings, then the reported texts.
  void RefreshAll() override;
  void RefreshItem(int number, bool update) override;
  // The dock buttons work in Real Time Mode only.
  void UpdateControlStates() override;
  // 553 sends the operation last chosen on the page.
  void QueueItem(const model::ParameterImage& image, int number, int subIndex) override;

  // Sends dock operation `index` (0 Play .. 6 "+") now, as its button does.
  void Dock(int index);

  // The button of dock operation 0..6.
  ui::Button& dockButton(int index);
  ui::EditBox& playField(int index) { return play_[static_cast<std::size_t>(index)]; }
  ui::EditBox& listLine(int index) { return lines_[static_cast<std::size_t>(index)]; }
  ui::EditBox& cursorMark(int index) { return cursors_[static_cast<std::size_t>(index)]; }

 private:
  void showPlayInfo();
  void showListInfo();

  int operation_ = 0;
  std::array<ui::RadioGroup, 5> groups_;
  std::array<ui::Button, ipod::kDockOperations.size()> dock_;
  std::array<ui::EditBox, ipod::kPlayFields.size()> play_;
  std::array<ui::EditBox, ipod::kListLines> cursors_;
  std::array<ui::EditBox, ipod::kListLines> lines_;
  ui::GroupBox dockBox_;
  ui::GroupBox playBox_;
  ui::GroupBox listBox_;
};

}  // namespace tw::pages
