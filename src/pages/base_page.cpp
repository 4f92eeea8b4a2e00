#include "pages/base_page.h"

#include <stdexcept>

#include "comm/link_constants.h"

namespace tw::pages {
namespace {

model::ParameterImage& ImageOf(const PageContext& context) {
  model::ParameterImage* image = context.link.image(context.imageIndex);
  if (image == nullptr) throw std::out_of_range("page constructed for an image outside 0..6");
  return *image;
}

}  // namespace

BasePage::BasePage(const PageContext& context, std::string caption)
    : link_(context.link),
      ui_(context.ui),
      host_(context.host),
      image_(ImageOf(context)),
      caption_(std::move(caption)),
      form_(std::make_unique<ui::Form>(caption_, ui::Column({}))) {}

BasePage::BasePage(const PageContext& context, const settings::PageSettings& settings)
    : BasePage(context, settings.caption()) {
  settings_ = &settings;
}

const settings::PageSettings& BasePage::settings() const {
  if (settings_ == nullptr) throw std::logic_error("page \"" + caption_ + "\" has no settings");
  return *settings_;
}

std::vector<PageItem> BasePage::ListItems(bool forFile, int group) const {
  if (settings_ == nullptr) return {};
  return settings_->ListItems(forFile, link_.settingContext(), group);
}

bool BasePage::IsItemAvailable(int number) const {
  return settings_ == nullptr || settings_->IsAvailable(number, link_.settingContext());
}

void BasePage::QueueItem(const model::ParameterImage& image, int number, int subIndex) {
  if (settings_ == nullptr) return;
  for (const std::string& command : settings_->Commands(image, number, subIndex, link_.settingContext())) {
    Queue(command, number);
  }
}

void BasePage::SetLayout(ui::LayoutNode root) {
  form_ = std::make_unique<ui::Form>(caption_, std::move(root));
}

void BasePage::OnInitDialog() {
  InitControls();
  hasWindow_ = true;
  RefreshAll();
}

void BasePage::OnSetActive() {
  if (!hasWindow_) {
    OnInitDialog();
    return;
  }
  RefreshAll();
}

void BasePage::OnKillActive() {}

bool BasePage::PreTranslateKey(ui::Control& focused, ui::Key key) {
  const bool arrow =
      key == ui::Key::Left || key == ui::Key::Up || key == ui::Key::Right || key == ui::Key::Down;
  if (arrow) return true;
  return form_->pressKey(focused, key);
}

void BasePage::QueueAll(const model::ParameterImage& image, const model::SettingFilter& sends) {
  if (settings_ == nullptr) return;
  for (const settings::SettingCommand& command : settings_->DownloadCommands(image, sends, link_.settingContext())) {
    Queue(command.text, command.number);
  }
}

void BasePage::SendItem(int number, int subIndex) {
  if (!isRealTime() || !IsItemAvailable(number)) return;
  ui::WaitCursor wait(ui_);
  QueueItem(image_, number, subIndex);
  SendBatchStart();
}

void BasePage::Queue(std::string_view command, int number) const {
  if (!command.empty()) link_.SendPacket(command, number);
}

void BasePage::SendBatchStart() const { link_.SendPacket("", comm::kNoParameter); }

void BasePage::SendItems(std::span<const PageItem> items) {
  if (!isRealTime()) return;
  ui::WaitCursor wait(ui_);
  for (const PageItem& item : items) {
    if (IsItemAvailable(item.number)) QueueItem(image_, item.number, item.subIndex);
  }
  SendBatchStart();
}

void BasePage::ResetPage(const std::function<void(model::ParameterImage&)>& writeDefaults) {
  writeDefaults(image_);
  RefreshAll();
  if (!isRealTime()) return;
  ui::WaitCursor wait(ui_);
  QueueAll(image_);
  SendBatchStart();
}

}  // namespace tw::pages
