#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/main_view_parts.h"
#include "comm/link.h"

namespace tw::session {

// The sheet as the main view drives it: the tabs for the working mode, the active tab, and
// the section and key of a parameter for the error log.
class SheetView final : public ui::ViewSheet {
 public:
  SheetView(pages::Sheet& sheet, comm::Link& link) : sheet_(sheet), link_(link) {}

  int pageCount() const override;
  std::string pageCaption(int index) const override;
  int activeIndex() const override;
  void setActive(int index) override;
  void RefreshAll() override { sheet_.RefreshAll(); }
  void RefreshActiveItems(const std::vector<int>& numbers) override { sheet_.RefreshActiveItems(numbers); }
  void RestoreFocus() override { sheet_.RestoreFocus(); }
  void UpdateAvailability() override { sheet_.UpdateAvailability(); }
  // Every page in sheet order, tab or not, is asked with sub-index -1 in the image in use:
  // a download also sends the pages that have no tab, and their failures deserve a name.
  std::optional<ui::ItemName> DescribeItem(int number, std::string_view command) override;
  comm::PageSource& pageSource() override { return source_ != nullptr ? *source_ : sheet_; }
  // What the link queues through instead of the bare sheet (the System Memory parts of a
  // download need the Basic Control group as well); set before the view attaches the sheet.
  void setPageSource(comm::PageSource* source) { source_ = source; }

  // A renderer hears of every change of the active tab made through the view (the stored
  // page restored at start-up, say).
  std::function<void(int index)> onActiveChanged;

 private:
  pages::Sheet& sheet_;
  comm::Link& link_;
  comm::PageSource* source_ = nullptr;
};

// The Basic Control group as the main view drives it, and the sheet pages the group reaches
// (its BasicControlPeers). Construct it first, build the group with it as peers, then
// attach the group.
class BasicGroupView final : public ui::ViewBasicGroup, public ui::BasicControlPeers {
 public:
  BasicGroupView(pages::Sheet& sheet, comm::Link& link) : sheet_(sheet), link_(link) {}
  void attach(ui::BasicControlGroup& group) { group_ = &group; }

  // --- ViewBasicGroup ---
  ui::LayoutNode layout() override;
  void FillBasicControls() override;
  void RefreshBasicControls() override;
  void RefreshBasicItem(int number, bool update) override;
  std::optional<ui::ItemName> DescribeBasicItem(int number) override;
  void RestoreFocus() override;
  // Zone power shows only in Real Time Mode, Zone 2 and Zone 3 only when present.
  void UpdateCapabilities(const model::Capabilities& capabilities) override;

  // --- BasicControlPeers ---
  void ActivateSpeakerSet() override;
  void SetDspProgram(int program) override;
  void RefreshInputDspItem(int number, bool update) override;

 private:
  // A page that exists and has its window (before the sheet is created nothing is shown).
  pages::BasePage* shownPage(std::string_view caption) const;

  pages::Sheet& sheet_;
  comm::Link& link_;
  ui::BasicControlGroup* group_ = nullptr;
};

}  // namespace tw::session
