#include "settings/page_walks.h"

#include "comm/upload_coverage.h"
#include "files/report_text.h"

namespace tw::settings {
namespace {

// The receiver never tells these: the value is the program's, not the receiver's.
constexpr std::string_view kNotReadMark = "  (not read from the receiver)";

}  // namespace

void SavePage(const PageSettings& page, const SettingContext& context, const model::ParameterImage& image,
              files::Profile& profile) {
  for (const PageItem& item : page.ListItems(true, context)) {
    const ItemText text = page.DescribeItem(image, item.number, item.subIndex, false);
    if (text.key.empty()) continue;  // an item without a key has no line, as in the report
    profile.WriteString(text.section, text.key, text.value);
  }
}

void LoadPage(const PageSettings& page, const SettingContext& context, model::ParameterImage& image,
              const files::Profile& profile) {
  page.BeforeLoad(image, profile);
  for (const PageItem& item : page.ListItems(true, context)) {
    const ItemText text = page.DescribeItem(image, item.number, item.subIndex, false);
    if (text.key.empty()) continue;
    const std::string value = profile.GetString(text.section, text.key, "");
    if (!value.empty()) page.ParseItem(image, item.number, item.subIndex, value);
  }
}

std::string ReportPage(const PageSettings& page, const SettingContext& context, const model::ParameterImage& image) {
  files::ReportBlock block;
  for (const PageItem& item : page.ListItems(true, context)) {
    const ItemText text = page.DescribeItem(image, item.number, item.subIndex, true);
    const bool read = comm::IsReadByUpload(item.number, item.subIndex);
    block.Add(text.section, text.key, read ? text.value : text.value + std::string(kNotReadMark));
  }
  return block.Take();
}

}  // namespace tw::settings
