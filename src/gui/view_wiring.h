#pragma once

#include <functional>

#include "comm/comm_class.h"
#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/main_view_parts.h"

namespace tw::gui {

// The page sheet as the main view drives it. The renderer hears of every change of the
// active page through onActiveChanged (the view restores the stored page, say).
class SheetViewAdapter final : public ui::ViewSheet {
 public:
  SheetViewAdapter(pages::Sheet& sheet, comm::CCommClass& link) : sheet_(sheet), link_(link) {}

  int pageCount() const override;
  std::string pageCaption(int index) const override;
  int activeIndex() const override;
  void setActive(int index) override;
  void RefreshAll() override { sheet_.RefreshAll(); }
  void RefreshActiveItems(const std::vector<int>& numbers) override { sheet_.RefreshActiveItems(numbers); }
  void RestoreFocus() override { sheet_.RestoreFocus(); }
  void UpdateAvailability() override { sheet_.UpdateAvailability(); }
  std::optional<ui::ItemName> DescribeItem(int number) override;
  comm::PageSource& pageSource() override { return sheet_; }

  std::function<void(int index)> onActiveChanged;

 private:
  pages::Sheet& sheet_;
  comm::CCommClass& link_;
};

// The Basic Control group as the main view drives it, and the pages it reaches.
class BasicGroupAdapter final : public ui::ViewBasicGroup, public ui::BasicControlPeers {
 public:
  BasicGroupAdapter(pages::Sheet& sheet, comm::CCommClass& link) : sheet_(sheet), link_(link) {}
  // The group is built with this adapter as its peers, so it comes in afterwards.
  void attach(ui::BasicControlGroup& group) { group_ = &group; }

  ui::LayoutNode layout() override;
  void FillBasicControls() override { group_->FillBasicControls(); }
  void RefreshBasicControls() override { group_->RefreshBasicControls(); }
  void RefreshBasicItem(int number, bool update) override { group_->RefreshBasicItem(number, update); }
  std::optional<ui::ItemName> DescribeBasicItem(int number) override;
  void RestoreFocus() override { group_->RestoreFocus(); }
  void UpdateCapabilities(const model::Capabilities& capabilities) override;

  // BasicControlPeers: the pages that exist take part; the others are not in the sheet yet.
  void ActivateSpeakerSet() override;

 private:
  pages::Sheet& sheet_;
  comm::CCommClass& link_;
  ui::BasicControlGroup* group_ = nullptr;
};

}  // namespace tw::gui
