#include "session/view_adapters.h"

#include <algorithm>

#include "pages/view_hooks.h"
#include "settings/basic/basic_control_settings.h"

namespace tw::session {

// ---------------------------------------------------------------- SheetView

int SheetView::pageCount() const { return static_cast<int>(sheet_.tabs().size()); }

std::string SheetView::pageCaption(int index) const {
  if (index < 0 || index >= pageCount()) return {};
  return sheet_.tabs()[static_cast<std::size_t>(index)]->caption();
}

int SheetView::activeIndex() const {
  const auto& tabs = sheet_.tabs();
  const auto found = std::find(tabs.begin(), tabs.end(), sheet_.activePage());
  return found == tabs.end() ? -1 : static_cast<int>(found - tabs.begin());
}

void SheetView::setActive(int index) {
  if (index < 0 || !sheet_.SetActivePage(static_cast<std::size_t>(index))) return;
  if (onActiveChanged) onActiveChanged(index);
}

std::optional<ui::ItemName> SheetView::DescribeItem(int number, std::string_view command) {
  // The image in use is where the failed command's value came from.
  const model::ParameterImage& image = link_.imageInUse();
  for (pages::BasePage* page : sheet_.pages()) {
    if (!page->hasSettings()) continue;
    const pages::ItemText text =
        page->settings().DescribeItem(image, number, page->SubIndexOfCommand(number, command), false);
    if (!text.section.empty()) return ui::ItemName{text.section, text.key};
  }
  return std::nullopt;
}

// ---------------------------------------------------------------- BasicGroupView

ui::LayoutNode BasicGroupView::layout() {
  if (group_ == nullptr) return ui::Column({});
  return group_->form().root();
}

void BasicGroupView::FillBasicControls() {
  if (group_ != nullptr) group_->FillBasicControls();
}

void BasicGroupView::RefreshBasicControls() {
  if (group_ != nullptr) group_->RefreshBasicControls();
}

void BasicGroupView::RefreshBasicItem(int number, bool update) {
  if (group_ != nullptr) group_->RefreshBasicItem(number, update);
}

std::optional<ui::ItemName> BasicGroupView::DescribeBasicItem(int number) {
  if (group_ == nullptr) return std::nullopt;
  const settings::ItemText text = settings::BasicControlSettings().DescribeItem(link_.imageInUse(), number, -1, false);
  if (text.section.empty()) return std::nullopt;
  return ui::ItemName{text.section, text.key};
}

void BasicGroupView::RestoreFocus() {
  if (group_ != nullptr) group_->RestoreFocus();
}

void BasicGroupView::UpdateCapabilities(const model::Capabilities& capabilities) {
  if (group_ == nullptr) return;
  group_->UpdateDecoderList(capabilities.aac != 0);
  // Async Mode keeps the whole zone power group hidden whatever the receiver has.
  const bool realTime = link_.workingMode() == comm::WorkingMode::RealTime;
  group_->zoneBox.setVisible(realTime);
  group_->zoneMain.setVisible(realTime);
  group_->zone2.setVisible(realTime && capabilities.zone2 != 0);
  group_->zone3.setVisible(realTime && capabilities.zone3 != 0);
}

pages::BasePage* BasicGroupView::shownPage(std::string_view caption) const {
  pages::BasePage* page = sheet_.FindPage(caption);
  return page != nullptr && page->hasWindow() ? page : nullptr;
}

void BasicGroupView::ActivateSpeakerSet() {
  if (pages::BasePage* page = shownPage("Speaker Set")) page->OnSetActive();
}

void BasicGroupView::SetDspProgram(int program) {
  if (program < 0 || program > 23) return;
  if (auto* follower = dynamic_cast<pages::ProgramFollower*>(sheet_.FindPage("DSP Parameters"))) {
    follower->SetCurrentProgram(program);
  }
}

void BasicGroupView::RefreshInputDspItem(int number, bool update) {
  if (pages::BasePage* page = shownPage("Input DSP")) page->RefreshItem(number, update);
}

}  // namespace tw::session
