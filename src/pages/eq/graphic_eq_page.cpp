#include "pages/eq/graphic_eq_page.h"

#include <algorithm>

#include "model/ascii.h"
#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/eq/eq_curve.h"
#include "settings/eq/graphic_eq_settings.h"

namespace tw::pages {
namespace {

using settings::graphic_eq::kChannelNames;
using settings::graphic_eq::kFirstBand;

static_assert(settings::graphic_eq::kBandCount == static_cast<int>(eq::kBandCount));

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

GraphicEqPage::GraphicEqPage(const PageContext& context)
    : ItemPage(context, settings::GraphicEqSettings()),
      channel_(kChannelListId),
      curve_(kCurveId),
      default_(kDefaultButtonId, "Default") {
  std::vector<ui::LayoutNode> bands;
  for (int i = 0; i < settings::graphic_eq::kBandCount; ++i) {
    const int number = kFirstBand + i;
    ui::LevelSlider& band = MakeSlider(number, kFirstSliderId + i, kFirstLabelId + i);
    // The curve follows a drag as the readout does.
    band.onDragged = [this, store = band.onDragged] {
      store();
      showCurve();
    };
    bands.push_back(ui::Column({ui::Item(std::string(kBandCaptions[static_cast<std::size_t>(i)]), band),
                                ui::Item(label(number))}));
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

void GraphicEqPage::InitControls() {
  channel_.resetContent();
  for (std::size_t record = 0; record < kChannelNames.size(); ++record) {
    channel_.addString(std::string(kChannelNames[record]), model::kGraphicEqChannelIds[record]);
  }
  channel_.setCurSel(current_);
  ItemPage::InitControls();
}

void GraphicEqPage::takeChannelFromList() {
  const int selected = channel_.curSel();
  if (selected < 0) return;
  const int record = model::FindGraphicEqRecord(pageImage(), static_cast<std::int32_t>(channel_.itemData(selected)));
  if (record >= 0) current_ = record;
}

void GraphicEqPage::RefreshAll() {
  takeChannelFromList();
  ItemPage::RefreshAll();
  showCurve();
}

void GraphicEqPage::RefreshItem(int number, bool update) {
  ItemPage::RefreshItem(number, update);
  if (isActive() && hasWindow()) showCurve();
}

int GraphicEqPage::SubIndexOfCommand(int number, std::string_view command) const {
  constexpr std::string_view kBandWrite = "\x14" "20080301";
  if (number < kFirstBand || number >= kFirstBand + settings::graphic_eq::kBandCount) return -1;
  if (!command.starts_with(kBandWrite) || command.size() <= kBandWrite.size()) return -1;
  const int code = model::HexDigitValue(command[kBandWrite.size()]);
  if (code < 0) return -1;
  const auto record = std::find(model::kGraphicEqChannelIds.begin(), model::kGraphicEqChannelIds.end(),
                                static_cast<std::int32_t>(code));
  if (record == model::kGraphicEqChannelIds.end()) return -1;
  return static_cast<int>(record - model::kGraphicEqChannelIds.begin());
}

void GraphicEqPage::showCurve() {
  std::array<std::int32_t, eq::kBandCount> gains{};
  for (std::size_t band = 0; band < gains.size(); ++band) {
    gains[band] = Value(kFirstBand + static_cast<int>(band));
  }
  std::vector<ui::PlotPoint> curve;
  for (const eq::CurvePoint& point : eq::EqCurve(gains, kCurvePoints)) curve.push_back({point.hz, point.db});
  std::vector<ui::PlotPoint> markers;
  for (std::size_t band = 0; band < gains.size(); ++band) {
    markers.push_back({eq::kBandCentresHz[band], gains[band] / 10.0});
  }
  curve_.setText(std::string(kChannelNames[static_cast<std::size_t>(current_)]));
  curve_.setCurve(std::move(curve), std::move(markers));
}

void GraphicEqPage::resetToDefaults() {
  current_ = 0;
  channel_.setCurSel(0);
  ResetPage([](model::ParameterImage& image) { model::WriteGraphicEqDefaults(image.graphicEq); });
}

}  // namespace tw::pages
