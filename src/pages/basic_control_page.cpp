#include "pages/basic_control_page.h"

#include "pages/configuration_items.h"

namespace tw::pages {

BasicControlPage::BasicControlPage(const PageContext& context)
    : BasePage(context, std::string(kCaption), 0), group_(context.link, context.ui) {}

std::vector<PageItem> BasicControlPage::ListItems(bool, int) const {
  std::vector<PageItem> items;
  for (int number : kBasicFileNumbers) items.push_back({number, -1});
  return items;
}

ItemText BasicControlPage::DescribeItem(const model::ParameterImage& image, int number, int, bool) const {
  auto text = group_.DescribeBasicItem(image, number);
  return {std::move(text.section), std::move(text.key), std::move(text.value)};
}

bool BasicControlPage::ParseItem(model::ParameterImage& image, int number, int, std::string_view text) {
  return group_.ParseBasicItem(image, number, text);
}

void BasicControlPage::QueueItem(const model::ParameterImage& image, int number, int) {
  group_.QueueBasicItem(image, number);
}

void BasicControlPage::SendItem(int number, int) { group_.SendBasicItem(number); }

}  // namespace tw::pages
