#include "pages/base_page.h"

#include <stdexcept>

#include "comm/link_constants.h"
#include "comm/upload_coverage.h"

namespace tw::pages {
namespace {

model::ParameterImage& ImageOf(const PageContext& context) {
  model::ParameterImage* image = context.link.image(context.imageIndex);
  if (image == nullptr) throw std::out_of_range("page constructed for an image outside 0..6");
  return *image;
}

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kNotReadMark = "  (not read from the receiver)";

}  // namespace

BasePage::BasePage(const PageContext& context, std::string caption, int templateId)
    : link_(context.link),
      ui_(context.ui),
      host_(context.host),
      image_(ImageOf(context)),
      caption_(std::move(caption)),
      templateId_(templateId),
      form_(std::make_unique<ui::Form>(caption_, ui::Column({}))) {}

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
  for (const PageItem& item : ListItems(false, kAllGroups)) {
    if (IsItemAvailable(item.number) && model::Sends(sends, item.number, item.subIndex)) {
      QueueItem(image, item.number, item.subIndex);
    }
  }
}

void BasePage::LoadItems(model::ParameterImage& image, const files::Profile& profile) {
  for (const PageItem& item : ListItems(true, kAllGroups)) {
    const ItemText text = DescribeItem(image, item.number, item.subIndex, false);
    if (text.key.empty()) continue;
    const std::string value = profile.GetString(text.section, text.key, "");
    if (!value.empty()) ParseItem(image, item.number, item.subIndex, value);
  }
}

void BasePage::SaveItems(const model::ParameterImage& image, files::Profile& profile) {
  for (const PageItem& item : ListItems(true, kAllGroups)) {
    const ItemText text = DescribeItem(image, item.number, item.subIndex, false);
    if (text.key.empty()) continue;  // an item without a key has no line, as in the report
    profile.WriteString(text.section, text.key, text.value);
  }
}

std::string BasePage::ReportItems(const model::ParameterImage& image) {
  if (!hasWindow_) return {};
  std::string report;
  std::string lastSection;
  for (const PageItem& item : ListItems(true, kAllGroups)) {
    const ItemText text = DescribeItem(image, item.number, item.subIndex, true);
    if (text.section != lastSection) {
      report += kCrLf;
      report += "(" + text.section + ")";
      report += kCrLf;
    }
    if (!text.key.empty()) {
      report += text.key + " = " + text.value;
      // The receiver never tells this one: the value is the program's, not the receiver's.
      if (!comm::IsReadByUpload(item.number, item.subIndex)) report += kNotReadMark;
      report += kCrLf;
    }
    lastSection = text.section;
  }
  return report;
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
