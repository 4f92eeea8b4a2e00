#include "pages/eq/graphic_eq_page.h"

#include <algorithm>

#include "model/ascii.h"
#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/eq/eq_curve.h"
#include "ui/controls/control_array.h"

namespace tw::pages {
namespace {

constexpr int kChannelNumber = 397;  // a record's channel code
constexpr int kFirstBand = 398;
constexpr int kSubwooferRecord = 9;
constexpr int kLastFiledSubwooferBand = 399;  // the Subwoofer files bands 1 and 2 only

// In record order, which is also the order of the Channel list.
constexpr std::array<std::string_view, CGEQSetPage::kChannelCount> kChannelNames = {
    "Center",          "Front L",    "Front R",    "Surround L", "Surround R",
    "Surround Back L", "Surround Back R", "Presence L", "Presence R", "Subwoofer"};
constexpr std::array<std::string_view, CGEQSetPage::kChannelCount> kKeyPrefixes = {
    "(Center) ",          "(Front L) ",    "(Front R) ",    "(Surround L) ", "(Surround R) ",
    "(Surround Back L) ", "(Surround Back R) ", "(Presence L) ", "(Presence R) ", "(Subwoofer) "};

constexpr Records kChannelRecords{CGEQSetPage::kChannelCount, model::GetGraphicEqValue, model::SetGraphicEqValue,
                                  kKeyPrefixes};

// DC4 "20080301", the channel code as one lower-case digit (the Subwoofer, code 10, is
// "a", though the receiver's reports write "A"), the band code (0, 2, .. C), (gain + 75) / 5
// as two lower-case digits, the checksum in lower case. A record whose code is not one of
// the ten channels' sends nothing rather than reach another channel.
std::vector<std::string> BandCommand(const model::ParameterImage& image, int number, int record) {
  const auto code = model::GetGraphicEqValue(image, record, kChannelNumber);
  const auto gain = model::GetGraphicEqValue(image, record, number);
  if (!code || !gain ||
      std::find(model::kGraphicEqChannelIds.begin(), model::kGraphicEqChannelIds.end(), *code) ==
          model::kGraphicEqChannelIds.end()) {
    return {};
  }
  std::string body = "20080301";
  body += Hex(*code, 1, HexCase::Lower);
  body += Hex(2 * (number - kFirstBand), 1, HexCase::Upper);
  body += Hex((std::int64_t{*gain} + 75) / 5, 2, HexCase::Lower);
  return {MakeCommand(CommandFrame::ExtendedLower, body)};
}

// -6.0 dB .. +6.0 dB in 0.5 dB steps; files hold "-1.5dB", the readout " -1.5dB".
constexpr LevelItem Band(int number, std::string_view key) {
  return {.number = number,
          .key = key,
          .min = -60,
          .max = 60,
          .step = 5,
          .unit = "dB",
          .format = TenthsDbText,
          .label = Spaced<TenthsDbText>,
          .build = BandCommand,
          .records = &kChannelRecords};
}

constexpr std::array<LevelItem, eq::kBandCount> kBands = {{
    Band(398, "Band 1 (63Hz) Gain"),
    Band(399, "Band 2 (160Hz) Gain"),
    Band(400, "Band 3 (400Hz) Gain"),
    Band(401, "Band 4 (1kHz) Gain"),
    Band(402, "Band 5 (2.5kHz) Gain"),
    Band(403, "Band 6 (6.3kHz) Gain"),
    Band(404, "Band 7 (16kHz) Gain"),
}};
constexpr std::array<std::string_view, eq::kBandCount> kBandCaptions = {"63Hz",  "160Hz", "400Hz", "1kHz",
                                                                        "2.5kHz", "6.3kHz", "16kHz"};

constexpr int kChannelListId = 1700;
constexpr int kFirstSliderId = 1710;
constexpr int kFirstLabelId = 1720;
constexpr int kCurveId = 1730;
constexpr int kDefaultButtonId = 1740;

// Enough points for a smooth line at any size the page is drawn.
constexpr int kCurvePoints = 121;

ui::PlotAxes ResponseAxes() {
  ui::PlotAxes axes;
  axes.xMin = eq::kCurveLowHz;
  axes.xMax = eq::kCurveHighHz;
  axes.xLog = true;
  axes.yMin = -7;  // half a dB of room beyond the gain range, so the extremes stay visible
  axes.yMax = 7;
  axes.reference = 0;
  axes.xTicks = {{20, "20"},     {50, ""},      {100, "100"}, {200, ""},     {500, ""},
                 {1000, "1k"}, {2000, ""},    {5000, ""},   {10000, "10k"}, {20000, "20k"}};
  axes.yTicks = {{-6, "-6dB"}, {-3, "-3dB"}, {0, "0dB"}, {3, "+3dB"}, {6, "+6dB"}};
  return axes;
}

}  // namespace

CGEQSetPage::CGEQSetPage(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      channel_(kChannelListId),
      sliders_(ui::MakeControls<ui::CLevelSlider, eq::kBandCount>(kFirstSliderId)),
      labels_(ui::MakeControls<ui::CStaticSubClass, eq::kBandCount>(kFirstLabelId)),
      curve_(kCurveId),
      default_(kDefaultButtonId, "Default") {
  std::vector<ui::LayoutNode> bands;
  for (std::size_t i = 0; i < kBands.size(); ++i) {
    Bind(kBands[i], sliders_[i], &labels_[i]);
    // The curve follows a drag as the readout does.
    sliders_[i].onCustomDraw = [this, store = sliders_[i].onCustomDraw] {
      store();
      showCurve();
    };
    bands.push_back(ui::Column({ui::Item(std::string(kBandCaptions[i]), sliders_[i]), ui::Item(labels_[i])}));
  }
  curve_.setAxes(ResponseAxes());
  channel_.onSelChange = [this] {
    takeChannelFromList();
    RefreshAll();
  };
  default_.onClicked = [this] { resetToDefaults(); };
  SetLayout(ui::Column({ui::Item("Channel", channel_), ui::Row({ui::Row(std::move(bands)), ui::Item(curve_)}),
                        ui::Item(default_)}));
}

void CGEQSetPage::InitControls() {
  channel_.resetContent();
  for (std::size_t record = 0; record < kChannelNames.size(); ++record) {
    channel_.addString(std::string(kChannelNames[record]), model::kGraphicEqChannelIds[record]);
  }
  channel_.setCurSel(current_);
  CItemPage::InitControls();
}

void CGEQSetPage::takeChannelFromList() {
  const int selected = channel_.curSel();
  if (selected < 0) return;
  const int record = model::FindGraphicEqRecord(pageImage(), static_cast<std::int32_t>(channel_.itemData(selected)));
  if (record >= 0) current_ = record;
}

void CGEQSetPage::RefreshAll() {
  takeChannelFromList();
  CItemPage::RefreshAll();
  showCurve();
}

void CGEQSetPage::RefreshItem(int number, bool update) {
  CItemPage::RefreshItem(number, update);
  if (isActive() && hasWindow()) showCurve();
}

int CGEQSetPage::SubIndexOfCommand(int number, std::string_view command) const {
  constexpr std::string_view kBandWrite = "\x14" "20080301";
  if (number < kFirstBand || number >= kFirstBand + static_cast<int>(kBands.size())) return -1;
  if (!command.starts_with(kBandWrite) || command.size() <= kBandWrite.size()) return -1;
  const int code = model::HexDigitValue(command[kBandWrite.size()]);
  if (code < 0) return -1;
  const auto record = std::find(model::kGraphicEqChannelIds.begin(), model::kGraphicEqChannelIds.end(),
                                static_cast<std::int32_t>(code));
  if (record == model::kGraphicEqChannelIds.end()) return -1;
  return static_cast<int>(record - model::kGraphicEqChannelIds.begin());
}

bool CGEQSetPage::IsListed(const PageItem& item, bool forFile) const {
  return !forFile || item.subIndex != kSubwooferRecord || item.number <= kLastFiledSubwooferBand;
}

void CGEQSetPage::showCurve() {
  std::array<std::int32_t, eq::kBandCount> gains{};
  for (std::size_t band = 0; band < gains.size(); ++band) gains[band] = Value(kBands[band].number);
  std::vector<ui::PlotPoint> curve;
  for (const eq::CurvePoint& point : eq::EqCurve(gains, kCurvePoints)) curve.push_back({point.hz, point.db});
  std::vector<ui::PlotPoint> markers;
  for (std::size_t band = 0; band < gains.size(); ++band) {
    markers.push_back({eq::kBandCentresHz[band], gains[band] / 10.0});
  }
  curve_.setText(std::string(kChannelNames[static_cast<std::size_t>(current_)]));
  curve_.setCurve(std::move(curve), std::move(markers));
}

void CGEQSetPage::resetToDefaults() {
  current_ = 0;
  channel_.setCurSel(0);
  ResetPage([](model::ParameterImage& image) { model::WriteGraphicEqDefaults(image.graphicEq); });
}

std::size_t CGEQSetPage::indexOf(int number) const {
  const int index = number - kFirstBand;
  return index >= 0 && index < static_cast<int>(kBands.size()) ? static_cast<std::size_t>(index) : 0;
}

ui::CLevelSlider& CGEQSetPage::slider(int number) { return sliders_[indexOf(number)]; }

ui::CStaticSubClass& CGEQSetPage::label(int number) { return labels_[indexOf(number)]; }

}  // namespace tw::pages
