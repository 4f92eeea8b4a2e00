#include "pages/sheet.h"

#include <algorithm>

#include "comm/link_constants.h"
#include "pages/view_hooks.h"

namespace tw::pages {

Sheet::Sheet(const PageContext& context, std::span<const PageDescriptor> descriptors) : link_(context.link) {
  for (const PageDescriptor& descriptor : descriptors) {
    if (descriptor.create == nullptr) continue;
    entries_.push_back({&descriptor, descriptor.create(context)});
    pages_.push_back(entries_.back().page.get());
  }
}

void Sheet::Create() {
  tabs_.clear();
  for (const Entry& entry : entries_) {
    if (IsShown(*entry.descriptor, link_.workingMode(), link_.tunerRegion()))
      tabs_.push_back(entry.page.get());
  }
  for (BasePage* tab : tabs_) activate(tab);
  if (!tabs_.empty()) activate(tabs_.front());
}

void Sheet::activate(BasePage* page) {
  if (active_ != nullptr && active_ != page) {
    active_->OnKillActive();
    active_->setActive(false);
  }
  active_ = page;
  page->setActive(true);
  page->OnSetActive();
}

bool Sheet::SetActivePage(std::size_t index) {
  if (index >= tabs_.size()) return false;
  activate(tabs_[index]);
  return true;
}

bool Sheet::SetActivePage(std::string_view caption) {
  const auto it =
      std::find_if(tabs_.begin(), tabs_.end(), [&](BasePage* p) { return p->caption() == caption; });
  if (it == tabs_.end()) return false;
  activate(*it);
  return true;
}

std::string Sheet::pageCaption(int index) const {
  if (index < 0 || index >= pageCount()) return {};
  return tabs_[static_cast<std::size_t>(index)]->caption();
}

int Sheet::activeIndex() const {
  const auto found = std::find(tabs_.begin(), tabs_.end(), active_);
  return found == tabs_.end() ? -1 : static_cast<int>(found - tabs_.begin());
}

void Sheet::setActive(int index) {
  if (index < 0 || !SetActivePage(static_cast<std::size_t>(index))) return;
  if (onActiveChanged) onActiveChanged(index);
}

BasePage* Sheet::FindPage(std::string_view caption) const {
  const auto it =
      std::find_if(pages_.begin(), pages_.end(), [&](BasePage* p) { return p->caption() == caption; });
  return it == pages_.end() ? nullptr : *it;
}

void Sheet::RefreshAll() {
  for (BasePage* tab : tabs_) tab->RefreshAll();
  if (active_ != nullptr) active_->OnSetActive();
}

void Sheet::UpdateAvailability() {
  for (BasePage* tab : tabs_) tab->UpdateAvailability();
}

void Sheet::RefreshActiveItems(const std::vector<int>& numbers) {
  if (active_ == nullptr) return;
  std::size_t count = 0;
  while (count < numbers.size() && count < comm::kMaxRefreshedItems && numbers[count] != 0) ++count;
  for (std::size_t i = 0; i < count; ++i) active_->RefreshItem(numbers[i], i + 1 == count);
  active_->RestoreFocus();
}

void Sheet::RestoreFocus() {
  if (active_ != nullptr) active_->RestoreFocus();
}

std::optional<ui::ItemName> Sheet::DescribeItem(const model::ParameterImage& image, int number,
                                                std::string_view command) {
  for (BasePage* page : pages_) {
    if (!page->hasSettings()) continue;
    if (auto name = ui::NameOf(page->settings().DescribeItem(image, number, page->SubIndexOfCommand(number, command), false))) {
      return name;
    }
  }
  return std::nullopt;
}

BasePage* Sheet::shownPage(std::string_view caption) const {
  BasePage* page = FindPage(caption);
  return page != nullptr && page->hasWindow() ? page : nullptr;
}

void Sheet::ActivateSpeakerSet() {
  if (BasePage* page = shownPage("Speaker Set")) page->OnSetActive();
}

void Sheet::SetDspProgram(int program) {
  if (program < 0 || program > 23) return;
  if (auto* follower = Find<ProgramFollower>()) follower->SetCurrentProgram(program);
}

void Sheet::RefreshInputDspItem(int number, bool update) {
  if (BasePage* page = shownPage("Input DSP")) page->RefreshItem(number, update);
}

}  // namespace tw::pages
