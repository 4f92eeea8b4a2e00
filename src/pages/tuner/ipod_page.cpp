#include "pages/tuner/ipod_page.h"

#include "pages/radio_buttons.h"
#include "settings/tuner/ipod_settings.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = settings::ipod::kFirstNumber;

// One radio group per setting, in number order. The buttons' ids follow the entries; they
// do not all count upwards.
struct Group {
  std::string_view caption;
  std::array<int, 3> buttonIds;
};
constexpr std::array<Group, settings::ipod::kSettingCount> kGroups = {{
    {"Standby Charge", {1355, 1354}},
    {"Repeat", {1356, 1357, 1358}},
    {"Shuffle", {1359, 1360, 1361}},
    {"PlayInfo Output Setting", {1352, 1353}},
    {"ListInfo Output Setting", {1362, 1363}},
}};

// The dock buttons as they stand on the page, by index into the dock operations.
constexpr std::array<int, 7> kDockButtonOrder = {5, 2, 0, 4, 1, 3, 6};

constexpr int kFirstPlayFieldId = 1371;
constexpr int kFirstListLineId = 1376;
constexpr int kFirstCursorId = 1382;
constexpr const char* kCursorMark = ">";

ui::RadioGroup MakeGroup(std::size_t index) {
  const ChoiceItem& item = settings::IpodSettings().Choice(kFirstNumber + static_cast<int>(index));
  std::vector<ui::RadioButton> buttons;
  for (int entry = 0; entry < item.count(); ++entry) {
    const auto at = static_cast<std::size_t>(entry);
    buttons.push_back({kGroups[index].buttonIds[at], std::string(item.texts[at])});
  }
  return ui::RadioGroup(0, std::string(kGroups[index].caption), std::move(buttons));
}

ui::Button MakeDockButton(std::size_t index) {
  const ipod::DockOperation& operation = ipod::kDockOperations[index];
  return ui::Button(operation.buttonId, std::string(operation.caption));
}

// Read-only boxes for the receiver's texts, each as long as its part of the report.
template <std::size_t N>
void ShowOnly(std::array<ui::EditBox, N>& boxes, std::size_t length) {
  for (ui::EditBox& box : boxes) {
    box.setReadOnly(true);
    box.setMaxLength(length);
  }
}

}  // namespace

IpodPage::IpodPage(const PageContext& context)
    : ItemPage(context, settings::IpodSettings()),
      groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2), MakeGroup(3), MakeGroup(4)},
      dock_{MakeDockButton(0), MakeDockButton(1), MakeDockButton(2), MakeDockButton(3),
            MakeDockButton(4), MakeDockButton(5), MakeDockButton(6)},
      play_(ui::MakeControls<ui::EditBox, ipod::kPlayFields.size()>(kFirstPlayFieldId)),
      cursors_(ui::MakeControls<ui::EditBox, ipod::kListLines>(kFirstCursorId)),
      lines_(ui::MakeControls<ui::EditBox, ipod::kListLines>(kFirstListLineId)),
      dockBox_(0, "Dock"),
      playBox_(0, "Play Information"),
      listBox_(0, "List Information") {
  for (std::size_t i = 0; i < groups_.size(); ++i) Bind(settings().Choice(kFirstNumber + static_cast<int>(i)), groups_[i]);

  std::vector<ui::LayoutNode> buttons;
  for (int index : kDockButtonOrder) {
    dock_[static_cast<std::size_t>(index)].onClicked = [this, index] { Dock(index); };
    buttons.push_back(ui::Item(dock_[static_cast<std::size_t>(index)]));
  }
  std::vector<ui::LayoutNode> fields;
  for (std::size_t i = 0; i < play_.size(); ++i) {
    play_[i].setReadOnly(true);
    play_[i].setMaxLength(ipod::kPlayFields[i].length);
    fields.push_back(ui::Item(std::string(ipod::kPlayFields[i].caption), play_[i]));
  }
  ShowOnly(cursors_, 1);
  ShowOnly(lines_, ipod::kListLineLength);
  std::vector<ui::LayoutNode> lines;
  for (std::size_t i = 0; i < lines_.size(); ++i) lines.push_back(ui::Row({ui::Item(cursors_[i]), ui::Item(lines_[i])}));

  SetLayout(ui::Column({
      ui::Row({ui::Item(groups_[0]), ui::Item(groups_[1]), ui::Item(groups_[2])}),
      ui::Row({ui::Item(groups_[3]), ui::Item(groups_[4])}),
      ui::Group(dockBox_, {ui::Row(std::move(buttons))}),
      ui::Row({ui::Group(playBox_, std::move(fields)), ui::Group(listBox_, std::move(lines))}),
  }));
}


ui::Button& IpodPage::dockButton(int index) {
  return dock_[index >= 0 && index < static_cast<int>(dock_.size()) ? static_cast<std::size_t>(index) : 0];
}

void IpodPage::Dock(int index) {
  if (index < 0 || index >= static_cast<int>(ipod::kDockOperations.size())) return;
  operation_ = index;
  SendItem(kDockNumber);
}

void IpodPage::QueueItem(const model::ParameterImage& image, int number, int subIndex) {
  if (number == kDockNumber) {
    Queue(ipod::DockCommand(operation_), kDockNumber);
    return;
  }
  BasePage::QueueItem(image, number, subIndex);
}

void IpodPage::RefreshAll() {
  ItemPage::RefreshAll();
  showPlayInfo();
  showListInfo();
}

void IpodPage::RefreshItem(int number, bool update) {
  ItemPage::RefreshItem(number, update);
  if (!isActive() || !hasWindow()) return;
  if (number == kPlayInfoNumber) showPlayInfo();
  if (number == kListInfoNumber) showListInfo();
}

void IpodPage::UpdateControlStates() { dockBox_.setEnabled(isRealTime()); }

void IpodPage::showPlayInfo() {
  const auto fields = ipod::PlayFields(TextValue(kPlayInfoNumber));
  for (std::size_t i = 0; i < play_.size(); ++i) play_[i].setText(fields[i]);
}

void IpodPage::showListInfo() {
  const ipod::ListInfo info = ipod::SplitListInfo(TextValue(kListInfoNumber));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    cursors_[i].setText(static_cast<int>(i) == info.cursor ? kCursorMark : "");
    lines_[i].setText(info.lines[i]);
  }
}

}  // namespace tw::pages
