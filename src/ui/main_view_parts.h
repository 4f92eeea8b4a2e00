#pragma once

#include "settings/page_settings.h"
#include "ui/controls/layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw::comm {
class PageSource;
}
namespace tw::model {
struct Capabilities;
}

namespace tw::ui {

// Section and key of a parameter, as files, reports and the error log name it.
using ItemName = std::pair<std::string, std::string>;
// The section and key of an item's texts; nothing for an item its settings do not have.
inline std::optional<ItemName> NameOf(const settings::ItemText& text) {
  if (text.section.empty()) return std::nullopt;
  return ItemName{text.section, text.key};
}

// The property sheet as the main view drives it: the settings pages in sheet order, one of
// them active. The page framework's sheet is one; the view needs only these operations, so
// that it can be driven in a test without pages.
class ViewSheet {
 public:
  virtual ~ViewSheet() = default;

  virtual int pageCount() const = 0;
  virtual std::string pageCaption(int index) const = 0;
  virtual int activeIndex() const = 0;
  virtual void setActive(int index) = 0;

  // RefreshAll on every page, then the active page's OnSetActive.
  virtual void RefreshAll() = 0;
  // The active page's RefreshItem for each number (the update flag on the last one), then
  // its RestoreFocus.
  virtual void RefreshActiveItems(const std::vector<int>& numbers) = 0;
  virtual void RestoreFocus() = 0;
  // UpdateAvailability on every page (the receiver's capabilities changed).
  virtual void UpdateAvailability() = 0;
  // The first page, in sheet order, tab or not, that knows parameter `number` in `image`
  // (the image in use); the element `command` was sent for where the parameter has several
  // (a channel's band).
  virtual std::optional<ItemName> DescribeItem(const model::ParameterImage& image, int number,
                                               std::string_view command) = 0;
  // What the transfer engine queues through (every page's settings, the memory parts);
  // null: a download has nothing to send.
  virtual comm::PageSource* pageSource() = 0;
};

// The Basic Control group of the main form as the view drives it.
class ViewBasicGroup {
 public:
  virtual ~ViewBasicGroup() = default;

  // The group's controls, placed in the main form (zone power boxes 1257, 1258, 1022 in
  // group box 1261 among them).
  virtual LayoutNode layout() = 0;
  virtual void FillBasicControls() = 0;
  virtual void RefreshBasicControls() = 0;
  virtual void RefreshBasicItem(int number, bool update) = 0;
  // Nothing for a number that only names a command.
  virtual std::optional<ItemName> DescribeBasicItem(const model::ParameterImage& image, int number) = 0;
  virtual void RestoreFocus() = 0;
  // After a connect: the decoder list without "AAC(J Only)" unless the receiver has it; zone
  // power only in Real Time Mode, the Zone 2 / Zone 3 boxes only when those zones exist.
  virtual void UpdateCapabilities(const model::Capabilities& capabilities) = 0;
};

}  // namespace tw::ui
