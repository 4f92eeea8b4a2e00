#include "pages/system/display_set_page.h"

#include "model/parameter_defaults.h"
#include "pages/radio_buttons.h"

namespace tw::pages {
namespace {

constexpr std::array<std::string_view, 2> kOffOn = {"Off", "On"};
constexpr std::array<std::string_view, 2> kOffAuto = {"Off", "Auto"};
constexpr std::array<std::string_view, 3> kShortMessageTexts = {"Off", "On", "Full"};
constexpr std::array<std::string_view, 3> kOnScreenTexts = {"Always", "10s", "30s"};
constexpr std::array<std::int32_t, 3> kOnScreenValues = {3, 1, 2};
constexpr std::array<std::string_view, 3> kOnScreenCodes = {"3", "1", "2"};
constexpr std::array<std::string_view, 2> kScrollTexts = {"Continue", "Once"};
constexpr std::array<std::string_view, 3> kIndexCodes = {"0", "1", "2"};

// The receiver takes OSD Shift as one digit 0..A and the dimmer as two digits 00..04.
std::string OsdShiftData(std::int32_t value) { return Hex(value + 5, 1, HexCase::Upper); }
std::string DimmerData(std::int32_t value) { return Hex(value + 4, 2, HexCase::Upper); }

constexpr LevelItem kDimmer{.number = 525,
                            .key = "Dimmer",
                            .min = -4,
                            .max = 0,
                            .address = "261",
                            .encode = DimmerData,
                            .format = PlainText};
constexpr LevelItem kOsdShift{.number = 520,
                              .key = "OSD Shift",
                              .min = -5,
                              .max = 5,
                              .address = "2620",
                              .encode = OsdShiftData,
                              .format = PlainText};

constexpr std::span<const std::string_view> kTwoCodes{kIndexCodes.data(), 2};

// The radio groups in the order files list them (Dimmer and OSD Shift fall between).
constexpr std::array<ChoiceItem, 7> kChoices = {{
    {.number = 517, .key = "Video Conversion", .texts = kOffOn, .address = "2690", .codes = kTwoCodes},
    {.number = 518, .key = "Component I/P", .texts = kOffOn, .address = "2850", .codes = kTwoCodes},
    {.number = 519, .key = "Gray Back", .texts = kOffAuto, .address = "2630", .codes = kTwoCodes},
    {.number = 521, .key = "HDMI I/P", .texts = kOffOn, .address = "2860", .codes = kTwoCodes},
    // "Full" is a setting of the receiver that this page does not offer.
    {.number = 526, .key = "Short Message", .texts = kShortMessageTexts, .address = "07EB", .codes = kIndexCodes,
     .shown = 2},
    {.number = 527, .key = "On Screen", .texts = kOnScreenTexts, .address = "2930", .codes = kOnScreenCodes,
     .values = kOnScreenValues},
    {.number = 528, .key = "FL Scroll", .texts = kScrollTexts, .address = "2670", .codes = kTwoCodes},
}};

constexpr std::array<int, 9> kSendOrder = {517, 518, 520, 519, 521, 525, 526, 527, 528};

constexpr int kFirstGroupId = 1700;
constexpr int kIdsPerGroup = 5;
constexpr int kDimmerId = 1740;
constexpr int kDimmerLabelId = 1741;
constexpr int kOsdShiftId = 1742;
constexpr int kOsdShiftLabelId = 1743;
constexpr int kDimmerBoxId = 1744;
constexpr int kOsdShiftBoxId = 1745;
constexpr int kDefaultButtonId = 1746;

std::size_t IndexOf(int number) {
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    if (kChoices[i].number == number) return i;
  }
  return 0;
}

ui::RadioGroup MakeGroup(std::size_t index) {
  const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(index);
  return ui::RadioGroup(frameId, std::string(kChoices[index].key), Buttons(kChoices[index], frameId + 1));
}

}  // namespace

CDisplaySet::CDisplaySet(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2), MakeGroup(3), MakeGroup(4), MakeGroup(5), MakeGroup(6)},
      dimmer_(kDimmerId),
      dimmerLabel_(kDimmerLabelId),
      osdShift_(kOsdShiftId),
      osdShiftLabel_(kOsdShiftLabelId),
      dimmerBox_(kDimmerBoxId, "Dimmer"),
      osdShiftBox_(kOsdShiftBoxId, "OSD Shift"),
      default_(kDefaultButtonId, "Default") {
  // Binding order is the file order: 517, 518, 519, 520, 521, 525, 526, 527, 528.
  Bind(kChoices[0], groups_[0]);
  Bind(kChoices[1], groups_[1]);
  Bind(kChoices[2], groups_[2]);
  Bind(kOsdShift, osdShift_, &osdShiftLabel_);
  Bind(kChoices[3], groups_[3]);
  Bind(kDimmer, dimmer_, &dimmerLabel_);
  for (std::size_t i = 4; i < kChoices.size(); ++i) Bind(kChoices[i], groups_[i]);
  SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
  default_.onClicked = [this] {
    ResetPage([](model::ParameterImage& image) { image.displaySet = model::kDisplaySetDefaults; });
  };

  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({ui::Group(dimmerBox_, {ui::Row({ui::Item(dimmer_), ui::Item(dimmerLabel_)})}),
               ui::Group(osdShiftBox_, {ui::Row({ui::Item(osdShift_), ui::Item(osdShiftLabel_)})})}),
      ui::Row({item(526), item(527), item(528)}),
      ui::Row({item(517), item(518), item(519), item(521)}),
      ui::Item(default_),
  }));
}

ui::RadioGroup& CDisplaySet::group(int number) { return groups_[IndexOf(number)]; }

void CDisplaySet::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
