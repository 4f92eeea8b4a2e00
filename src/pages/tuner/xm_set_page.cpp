#include "pages/tuner/xm_set_page.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "model/parameter_defaults.h"

namespace tw::pages {
namespace {

constexpr std::int32_t kStationMax = 255;

constexpr std::size_t kKeyLength = 10;  // "PageA No.1"
constexpr PresetKeyTable<kKeyLength> kKeys =
    MakePresetKeys<kKeyLength>({"No.1", "No.2", "No.3", "No.4", "No.5", "No.6", "No.7", "No.8"});

// A station number as a file or the number box holds it: decimal digits, nothing else.
std::optional<std::int32_t> StationNumber(std::string_view text) {
  constexpr std::size_t kMaxDigits = 9;  // far above 255, far below overflow
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.front() == '-') return std::nullopt;
  return value;
}

// DC4 "20080511", the page and preset digits and the station as two upper-case hex digits.
std::vector<std::string> StationCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const auto value = ReadValue(image, nullptr, number, -1);
  if (!value) return {};
  const int preset = number - CXmSetPage::kFirstNumber;
  std::string body = "20080511";
  body += static_cast<char>('1' + preset / kPresetsPerPage);
  body += static_cast<char>('1' + preset % kPresetsPerPage);
  body += Hex(*value, 2, HexCase::Upper);
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

constexpr std::array<LevelItem, kPresetCount> kStations = [] {
  std::array<LevelItem, kPresetCount> items{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = LevelItem{.number = CXmSetPage::kFirstNumber + static_cast<int>(i),
                .key = KeyOf(kKeys, i),
                .min = 0,
                .max = kStationMax,
                .format = PlainText,
                .parse = StationNumber,
                .needs = Needs::Xm,
                .build = StationCommand};
  }
  return items;
}();

constexpr int kPagesId = 1264;
constexpr int kNumberId = 1250;
constexpr int kEnterId = 1260;
constexpr int kEntriesId = 1325;
constexpr int kViewId = 1326;
constexpr int kDefaultId = 1328;
constexpr std::size_t kNumberDigits = 3;

}  // namespace

CXmSetPage::CXmSetPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      picker_({kPagesId, kEntriesId, kViewId}, "Preset", "Station"),
      number_(kNumberId, kNumberDigits),
      enter_(kEnterId, "Enter"),
      default_(kDefaultId, "Default") {
  for (const LevelItem& item : kStations) {
    Add(item);
    ShowInCell(item.number, picker_.view, (item.number - kFirstNumber) % kPresetsPerPage, 1);
  }
  picker_.onPageChange = [this] { showPage(); };
  picker_.onEntryChange = [this] { showSelected(); };
  enter_.onClicked = [this] { enter(); };
  default_.onClicked = [this] {
    picker_.pages.setCurSel(0);
    picker_.SelectEntry(0);
    ResetPage([](model::ParameterImage& image) { model::WriteXmDefaults(image.xm); });
  };
  SetLayout(ui::Column({
      ui::Item(picker_.pages),
      ui::Row({ui::Item(picker_.entries), ui::Item(picker_.view),
               ui::Column({ui::Item("No.", number_), ui::Item(enter_)})}),
      ui::Item(default_),
  }));
}

void CXmSetPage::InitControls() {
  CItemPage::InitControls();
  picker_.FillPages(kPageNames);
}

std::vector<int> CXmSetPage::ShownNumbers() const {
  std::vector<int> numbers;
  const int first = kFirstNumber + kPresetsPerPage * std::max(picker_.page(), 0);
  for (int k = 0; k < kPresetsPerPage; ++k) numbers.push_back(first + k);
  return numbers;
}

int CXmSetPage::SelectedNumber() const {
  const int entry = picker_.entry();
  return entry >= 0 && entry < kPresetsPerPage ? ShownNumbers()[static_cast<std::size_t>(entry)] : 0;
}

void CXmSetPage::showPage() {
  picker_.ShowEntries(kPresetNames);
  for (int number : ShownNumbers()) ShowItem(number);
  showSelected();
}

// The number box shows the selected preset's station, ready to be changed.
void CXmSetPage::showSelected() {
  const int number = SelectedNumber();
  number_.setText(number != 0 ? PlainText(Value(number)) : std::string());
}

void CXmSetPage::RefreshAll() {
  UpdateControlStates();
  showPage();
}

void CXmSetPage::RefreshItem(int number, bool update) {
  const std::vector<int> shown = ShownNumbers();
  if (std::find(shown.begin(), shown.end(), number) == shown.end()) return;
  CItemPage::RefreshItem(number, update);
  if (number == SelectedNumber() && isActive() && hasWindow()) showSelected();
}

void CXmSetPage::UpdateControlStates() {
  const bool xm = Satisfied(Needs::Xm, link().capabilities());
  for (ui::Control* control : std::initializer_list<ui::Control*>{&picker_.pages, &picker_.entries, &number_, &enter_}) {
    control->setEnabled(xm);
  }
  picker_.view.setVisible(xm);
}

// A number outside 0..255 (or no number) is not taken; the list still shows the stored one.
void CXmSetPage::enter() {
  const int number = SelectedNumber();
  const auto station = StationNumber(number_.text());
  if (number == 0 || !station || *station > kStationMax) return;
  Store(number, *station);
  ShowItem(number);
  SendItem(number);
}

}  // namespace tw::pages
