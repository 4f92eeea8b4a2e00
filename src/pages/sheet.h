#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "comm/page_source.h"
#include "files/profile.h"
#include "pages/base_page.h"
#include "pages/page_registry.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/main_view_parts.h"

namespace tw::pages {

// The property sheet: every registered page in sheet order, the tabs shown for the working
// mode and tuner region, and the active tab. It is the pages as the main view drives them
// (ViewSheet), and as the Basic Control group reaches them (BasicControlPeers).
class Sheet final : public ui::ViewSheet, public ui::BasicControlPeers {
 public:
  // Constructs every page that has a factory. No page has a window yet.
  explicit Sheet(const PageContext& context,
                 std::span<const PageDescriptor> descriptors = SheetPageDescriptors());

  // Chooses the tabs for the link's working mode and tuner region, then activates every tab
  // once in order and the first again, so that every tab's window exists.
  void Create();

  // Every constructed page in sheet order, shown or not.
  const std::vector<BasePage*>& pages() const { return pages_; }
  // The tabs in sheet order.
  const std::vector<BasePage*>& tabs() const { return tabs_; }
  BasePage* activePage() const { return active_; }
  // Activates tab `index`; false (nothing changes) out of range.
  bool SetActivePage(std::size_t index);
  // Activates the first tab whose caption equals `caption` exactly.
  bool SetActivePage(std::string_view caption);
  // Any constructed page by caption, tab or not; null when absent.
  BasePage* FindPage(std::string_view caption) const;
  template <class Page>
  Page* Find() const {
    for (BasePage* page : pages_) {
      if (auto* found = dynamic_cast<Page*>(page)) return found;
    }
    return nullptr;
  }

  // --- what the view asks of its pages ---
  int pageCount() const override { return static_cast<int>(tabs_.size()); }
  std::string pageCaption(int index) const override;
  int activeIndex() const override;
  // SetActivePage, then onActiveChanged.
  void setActive(int index) override;
  // RefreshAll on every tab, then the active tab's activation.
  void RefreshAll() override;
  void UpdateAvailability() override;
  // Up to five numbers (a 0 ends the list early): the active page's RefreshItem for each,
  // the update flag on the last one only, then the active page's RestoreFocus.
  void RefreshActiveItems(const std::vector<int>& numbers) override;
  void RestoreFocus() override;
  // Every page is asked, tab or not: a download also sends the pages that have no tab, and
  // their failures deserve a name.
  std::optional<ui::ItemName> DescribeItem(const model::ParameterImage& image, int number,
                                           std::string_view command) override;
  comm::PageSource* pageSource() override { return source_; }
  // What a download queues (the settings' catalogue and the System Memory parts); set
  // before the view attaches the sheet.
  void setPageSource(comm::PageSource* source) { source_ = source; }
  // A renderer hears of every change of the active tab made through setActive (the stored
  // page restored at start-up, say).
  std::function<void(int index)> onActiveChanged;

  // --- what the Basic Control group tells the pages that have their window ---
  void ActivateSpeakerSet() override;
  void SetDspProgram(int program) override;
  void RefreshInputDspItem(int number, bool update) override;

 private:
  struct Entry {
    const PageDescriptor* descriptor;
    std::unique_ptr<BasePage> page;
  };

  void activate(BasePage* page);
  // A page that exists and has its window; null otherwise.
  BasePage* shownPage(std::string_view caption) const;

  ui::PageLink& link_;
  comm::PageSource* source_ = nullptr;
  std::vector<Entry> entries_;
  std::vector<BasePage*> pages_;
  std::vector<BasePage*> tabs_;
  BasePage* active_ = nullptr;
};

}  // namespace tw::pages
