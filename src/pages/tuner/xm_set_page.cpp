#include "pages/tuner/xm_set_page.h"

#include <algorithm>
#include <initializer_list>

#include "model/parameter_defaults.h"
#include "settings/tuner/xm_set_settings.h"

namespace tw::pages {
namespace {

using settings::xm_set::kStationMax;
using settings::xm_set::StationNumber;

constexpr int kPagesId = 1264;
constexpr int kNumberId = 1250;
constexpr int kEnterId = 1260;
constexpr int kEntriesId = 1325;
constexpr int kViewId = 1326;
constexpr int kDefaultId = 1328;
constexpr std::size_t kNumberDigits = 3;

}  // namespace

XmSetPage::XmSetPage(const PageContext& context)
    : ItemPage(context, settings::XmSetSettings()),
      picker_({kPagesId, kEntriesId, kViewId}, "Preset", "Station"),
      number_(kNumberId, kNumberDigits),
      enter_(kEnterId, "Enter"),
      default_(kDefaultId, "Default") {
  for (int i = 0; i < kPresetCount; ++i) {
    Add(settings().Level(kFirstNumber + i));
    ShowInCell(kFirstNumber + i, picker_.view, i % kPresetsPerPage, 1);
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

void XmSetPage::InitControls() {
  ItemPage::InitControls();
  picker_.FillPages(kPageNames);
}

std::vector<int> XmSetPage::ShownNumbers() const {
  std::vector<int> numbers;
  const int first = kFirstNumber + kPresetsPerPage * std::max(picker_.page(), 0);
  for (int k = 0; k < kPresetsPerPage; ++k) numbers.push_back(first + k);
  return numbers;
}

int XmSetPage::SelectedNumber() const {
  const int entry = picker_.entry();
  return entry >= 0 && entry < kPresetsPerPage ? ShownNumbers()[static_cast<std::size_t>(entry)] : 0;
}

void XmSetPage::showPage() {
  picker_.ShowEntries(kPresetNames);
  for (int number : ShownNumbers()) ShowItem(number);
  showSelected();
}

// The number box shows the selected preset's station, ready to be changed.
void XmSetPage::showSelected() {
  const int number = SelectedNumber();
  number_.setText(number != 0 ? PlainText(Value(number)) : std::string());
}

void XmSetPage::RefreshAll() {
  UpdateControlStates();
  showPage();
}

void XmSetPage::RefreshItem(int number, bool update) {
  const std::vector<int> shown = ShownNumbers();
  if (std::find(shown.begin(), shown.end(), number) == shown.end()) return;
  ItemPage::RefreshItem(number, update);
  if (number == SelectedNumber() && isActive() && hasWindow()) showSelected();
}

void XmSetPage::UpdateControlStates() {
  const bool xm = Satisfied(Needs::Xm, link().capabilities());
  for (ui::Control* control : std::initializer_list<ui::Control*>{&picker_.pages, &picker_.entries, &number_, &enter_}) {
    control->setEnabled(xm);
  }
  picker_.view.setVisible(xm);
}

// A number outside 0..255 (or no number) is not taken; the list still shows the stored one.
void XmSetPage::enter() {
  const int number = SelectedNumber();
  const auto station = StationNumber(number_.text());
  if (number == 0 || !station || *station > kStationMax) return;
  Store(number, *station);
  ShowItem(number);
  SendItem(number);
}

}  // namespace tw::pages
