#include "gui/view_wiring.h"

#include <algorithm>

namespace tw::gui {

int SheetViewAdapter::pageCount() const { return static_cast<int>(sheet_.tabs().size()); }

std::string SheetViewAdapter::pageCaption(int index) const {
  if (index < 0 || index >= pageCount()) return {};
  return sheet_.tabs()[static_cast<std::size_t>(index)]->caption();
}

int SheetViewAdapter::activeIndex() const {
  const auto& tabs = sheet_.tabs();
  const auto found = std::find(tabs.begin(), tabs.end(), sheet_.activePage());
  return found == tabs.end() ? -1 : static_cast<int>(found - tabs.begin());
}

void SheetViewAdapter::setActive(int index) {
  if (index < 0 || !sheet_.SetActivePage(static_cast<std::size_t>(index))) return;
  if (onActiveChanged) onActiveChanged(index);
}

// The first page in sheet order that lists the number names it (the error log's lines).
std::optional<ui::ItemName> SheetViewAdapter::DescribeItem(int number) {
  const model::ParameterImage& image = link_.imageInUse();
  for (pages::CBasePage* page : sheet_.pages()) {
    for (const pages::PageItem& item : page->ListItems(true, pages::kAllGroups)) {
      if (item.number != number) continue;
      const pages::ItemText text = page->DescribeItem(image, item.number, item.subIndex, false);
      if (!text.section.empty()) return ui::ItemName{text.section, text.key};
    }
  }
  return std::nullopt;
}

ui::LayoutNode BasicGroupAdapter::layout() { return group_->form().root(); }

std::optional<ui::ItemName> BasicGroupAdapter::DescribeBasicItem(int number) {
  const ui::BasicItemText text = group_->DescribeBasicItem(link_.imageInUse(), number);
  if (text.section.empty()) return std::nullopt;
  return ui::ItemName{text.section, text.key};
}

void BasicGroupAdapter::UpdateCapabilities(const model::Capabilities& capabilities) {
  group_->UpdateDecoderList(capabilities.aac != 0);
  group_->zone2.setVisible(capabilities.zone2 != 0);
  group_->zone3.setVisible(capabilities.zone3 != 0);
}

void BasicGroupAdapter::ActivateSpeakerSet() {
  pages::CBasePage* page = sheet_.FindPage("Speaker Set");
  if (page != nullptr && page->hasWindow()) page->RefreshAll();
}

}  // namespace tw::gui
