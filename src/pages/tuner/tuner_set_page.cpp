#include "pages/tuner/tuner_set_page.h"

#include <algorithm>

#include "model/parameter_access.h"
#include "ui/dialogs/dialog.h"

namespace tw::pages {
namespace {

using settings::tuner_set::kLastNumber;

constexpr std::array<std::string_view, 6> kListChoices = {"Current", "PageA", "PageB", "PageC", "PageD", "PageE"};
constexpr std::array<std::string_view, 1> kCurrentEntry = {"Current"};

constexpr int kEntriesId = 1001;
constexpr int kPagesId = 1002;
constexpr int kViewId = 1003;
constexpr int kAmId = 1004;
constexpr int kFmId = 1005;
constexpr int kDefaultId = 1209;

}  // namespace

TunerSetPage::TunerSetPage(const PageContext& context)
    : ItemPage(context, settings::TunerSetSettings()),
      picker_({kPagesId, kEntriesId, kViewId}, "Preset", "Frequency"),
      am_(kAmId, "AM"),
      fm_(kFmId, "FM"),
      default_(kDefaultId, "Default") {
  for (int number = kCurrentNumber; number <= kLastNumber; ++number) {
    Add(settings().Text(number));
    // Each entry's frequency shows in the view's row of that entry, for the page shown.
    const int row = number == kCurrentNumber ? 0 : (number - kFirstPresetNumber) % kPresetsPerPage;
    ShowInCell(number, picker_.view, row, 1);
  }

  picker_.onPageChange = [this] { showPage(); };
  am_.onClicked = [this] { pickFrequency(tuner::Band::Am); };
  fm_.onClicked = [this] { pickFrequency(tuner::Band::Fm); };
  default_.onClicked = [this] {
    picker_.SelectEntry(0);
    const int region = link().tunerRegion();
    ResetPage([region](model::ParameterImage& image) { model::ResetTunerBlock(image, region); });
  };
  SetLayout(ui::Column({
      ui::Item(picker_.pages),
      ui::Row({ui::Item(picker_.entries), ui::Item(picker_.view), ui::Column({ui::Item(am_), ui::Item(fm_)})}),
      ui::Item(default_),
  }));
}

void TunerSetPage::InitControls() {
  ItemPage::InitControls();
  picker_.FillPages(kListChoices);
}

std::vector<int> TunerSetPage::ShownNumbers() const {
  const int page = picker_.page();
  if (page <= 0) return {kCurrentNumber};
  std::vector<int> numbers;
  const int first = kFirstPresetNumber + kPresetsPerPage * (page - 1);
  for (int k = 0; k < kPresetsPerPage; ++k) numbers.push_back(first + k);
  return numbers;
}

int TunerSetPage::SelectedNumber() const {
  const std::vector<int> shown = ShownNumbers();
  const int entry = picker_.entry();
  return entry >= 0 && entry < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(entry)] : 0;
}

void TunerSetPage::showPage() {
  if (picker_.page() <= 0) {
    picker_.ShowEntries(kCurrentEntry);
  } else {
    picker_.ShowEntries(kPresetNames);
  }
  for (int number : ShownNumbers()) ShowItem(number);
}

void TunerSetPage::RefreshAll() {
  UpdateControlStates();
  showPage();
}

void TunerSetPage::RefreshItem(int number, bool update) {
  const std::vector<int> shown = ShownNumbers();
  if (std::find(shown.begin(), shown.end(), number) == shown.end()) return;
  ItemPage::RefreshItem(number, update);
}

void TunerSetPage::UpdateControlStates() {
  const bool bands = host() != nullptr && !tuner::RegionName(link().tunerRegion()).empty();
  am_.setEnabled(bands);
  fm_.setEnabled(bands);
}

void TunerSetPage::pickFrequency(tuner::Band band) {
  const int number = SelectedNumber();
  if (host() == nullptr || number == 0) return;
  frequency_.SetChoices(tuner::FrequencyList(link().tunerRegion(), band), TextValue(number));
  frequency_.DoModal(host()->dialogs(), [this, number](int result) {
    const std::string& chosen = frequency_.chosen();
    if (result != ui::kIdOk || chosen.size() != tuner::kFrequencyLength) return;
    model::SetParameterText(pageImage(), number, chosen);
    SendItem(number);
    RefreshAll();
  });
}

}  // namespace tw::pages
