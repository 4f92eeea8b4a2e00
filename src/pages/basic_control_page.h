#pragma once

#include "pages/base_page.h"
#include "ui/basic_control/basic_control_group.h"

#include <memory>

namespace tw::pages {

// The main form's Basic Control group seen as a page with the section "Basic Control", for
// tools that address every setting by section and key (tunewright-cli set). It owns a group
// of its own on the same link, so it needs no main form.
class BasicControlPage final : public BasePage {
 public:
  static constexpr std::string_view kCaption = "Basic Control";

  explicit BasicControlPage(const PageContext& context);

  std::vector<PageItem> ListItems(bool forFile, int group) const override;
  ItemText DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                        bool forReport) const override;
  bool ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) override;
  void QueueItem(const model::ParameterImage& image, int number, int subIndex) override;
  void SendItem(int number, int subIndex = -1) override;

 private:
  ui::BasicControlGroup group_;
};

}  // namespace tw::pages
