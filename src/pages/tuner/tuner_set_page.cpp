#include "pages/tuner/tuner_set_page.h"

#include <algorithm>

#include "model/parameter_access.h"
#include "ui/dialogs/dialog.h"

namespace tw::pages {
namespace {

constexpr int kLastNumber = 476;

constexpr std::array<std::string_view, 6> kListChoices = {"Current", "PageA", "PageB", "PageC", "PageD", "PageE"};
constexpr std::array<std::string_view, 1> kCurrentEntry = {"Current"};

constexpr std::size_t kKeyLength = 13;  // "PageA Preset1"
constexpr PresetKeyTable<kKeyLength> kPresetKeys = MakePresetKeys<kKeyLength>(kPresetNames);

// DC4 "200D0501", "00" for the current frequency or the page and preset digits, the band
// digit and the six characters. A text that is no frequency is not sent.
std::vector<std::string> FrequencyCommand(const model::ParameterImage& image, int number, int /*subIndex*/) {
  const std::string text = ReadText(image, number).value_or("");
  if (!tuner::IsFrequencyText(text)) return {};
  std::string body = "200D0501";
  if (number == CTunerSetPage::kCurrentNumber) {
    body += "00";
  } else {
    const int preset = number - CTunerSetPage::kFirstPresetNumber;
    body += static_cast<char>('1' + preset / kPresetsPerPage);
    body += static_cast<char>('1' + preset % kPresetsPerPage);
  }
  body += tuner::BandDigit(text);
  body += text;
  return {MakeCommand(CommandFrame::ExtendedUpper, body)};
}

// Files and `set` take a frequency in the form the page writes it ("FM 90.1MHz") or as the
// receiver's six characters ("090.10"), so that a value cut short ("FM 90.", "AM 10") is
// refused rather than read as another frequency.
std::optional<std::string> FrequencyFromFile(std::string_view shown) {
  if (tuner::IsFrequencyText(shown)) return std::string(shown);
  auto text = tuner::FrequencyFromDisplay(shown);
  if (!text || tuner::DisplayForm(*text) != shown) return std::nullopt;
  return text;
}

constexpr TextItem Frequency(int number, std::string_view key) {
  return {.number = number,
          .key = key,
          .maxLength = tuner::kFrequencyLength,
          .format = tuner::DisplayForm,
          .parse = FrequencyFromFile,
          .build = FrequencyCommand};
}

// The file order: the current frequency ("Current " with its trailing blank), then A1..E8.
constexpr std::array<TextItem, kPresetCount + 1> kFrequencies = [] {
  std::array<TextItem, kPresetCount + 1> items{};
  items[0] = Frequency(CTunerSetPage::kCurrentNumber, "Current ");
  for (std::size_t i = 0; i < static_cast<std::size_t>(kPresetCount); ++i) {
    items[i + 1] = Frequency(CTunerSetPage::kFirstPresetNumber + static_cast<int>(i), KeyOf(kPresetKeys, i));
  }
  return items;
}();

constexpr int kEntriesId = 1001;
constexpr int kPagesId = 1002;
constexpr int kViewId = 1003;
constexpr int kAmId = 1004;
constexpr int kFmId = 1005;
constexpr int kDefaultId = 1209;

}  // namespace

CTunerSetPage::CTunerSetPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      picker_({kPagesId, kEntriesId, kViewId}, "Preset", "Frequency"),
      am_(kAmId, "AM"),
      fm_(kFmId, "FM"),
      default_(kDefaultId, "Default") {
  std::vector<int> sendOrder;
  for (const TextItem& item : kFrequencies) {
    Add(item);
    // Each entry's frequency shows in the view's row of that entry, for the page shown.
    const int row = item.number == kCurrentNumber ? 0 : (item.number - kFirstPresetNumber) % kPresetsPerPage;
    ShowInCell(item.number, picker_.view, row, 1);
    if (item.number != kCurrentNumber) sendOrder.push_back(item.number);
  }
  // A download tunes the presets first and the current frequency last.
  sendOrder.push_back(kCurrentNumber);
  SetSendOrder(std::move(sendOrder));

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

void CTunerSetPage::InitControls() {
  CItemPage::InitControls();
  picker_.FillPages(kListChoices);
}

std::vector<int> CTunerSetPage::ShownNumbers() const {
  const int page = picker_.page();
  if (page <= 0) return {kCurrentNumber};
  std::vector<int> numbers;
  const int first = kFirstPresetNumber + kPresetsPerPage * (page - 1);
  for (int k = 0; k < kPresetsPerPage; ++k) numbers.push_back(first + k);
  return numbers;
}

int CTunerSetPage::SelectedNumber() const {
  const std::vector<int> shown = ShownNumbers();
  const int entry = picker_.entry();
  return entry >= 0 && entry < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(entry)] : 0;
}

void CTunerSetPage::showPage() {
  if (picker_.page() <= 0) {
    picker_.ShowEntries(kCurrentEntry);
  } else {
    picker_.ShowEntries(kPresetNames);
  }
  for (int number : ShownNumbers()) ShowItem(number);
}

void CTunerSetPage::RefreshAll() {
  UpdateControlStates();
  showPage();
}

void CTunerSetPage::RefreshItem(int number, bool update) {
  const std::vector<int> shown = ShownNumbers();
  if (std::find(shown.begin(), shown.end(), number) == shown.end()) return;
  CItemPage::RefreshItem(number, update);
}

void CTunerSetPage::UpdateControlStates() {
  const bool bands = host() != nullptr && !tuner::RegionName(link().tunerRegion()).empty();
  am_.setEnabled(bands);
  fm_.setEnabled(bands);
}

void CTunerSetPage::pickFrequency(tuner::Band band) {
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

std::string CTunerSetPage::RefusalReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
                                         std::string_view /*text*/) const {
  if (number < kCurrentNumber || number > kLastNumber) return {};
  return "allowed: an FM frequency in MHz with its decimal point (\"FM 87.5MHz\") or an AM frequency in kHz "
         "(\"AM 630kHz\")";
}

std::string CTunerSetPage::AdviceOn(const model::ParameterImage& image, int number, int /*subIndex*/) const {
  if (number < kCurrentNumber || number > kLastNumber) return {};
  const std::string text = ReadText(image, number).value_or("");
  const int region = link().tunerRegion();
  if (!tuner::IsFrequencyText(text) || tuner::RegionName(region).empty() || tuner::IsInRegionList(region, text)) {
    return {};
  }
  const char* band = tuner::BandDigit(text) == '1' ? "FM" : "AM";
  return tuner::DisplayForm(text) + " is not in the " + band + " band of tuner region " + std::to_string(region) +
         " (" + std::string(tuner::RegionName(region)) + "); the receiver may not tune it";
}

}  // namespace tw::pages
