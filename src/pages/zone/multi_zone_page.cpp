#include "pages/zone/multi_zone_page.h"

#include "model/parameter_access.h"
#include "settings/zone/zone_values.h"

namespace tw::pages {

namespace zone = settings::zone;
namespace {

constexpr std::array<std::string_view, 12> kInputTexts = {"PHONO", "CD",   "TUNER", "CD-R", "MD/TAPE",  "DVD",
                                                          "DTV",   "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX", "XM"};
constexpr std::array<std::string_view, 12> kZone2InputCodes = {"D0", "D1", "D2", "D4", "D3", "CD",
                                                               "D9", "CC", "D6", "D7", "D8", "B8"};
constexpr std::array<std::string_view, 12> kZone3InputCodes = {"F1", "F2", "F3", "F5", "F4", "FC",
                                                               "F6", "F7", "F9", "FA", "F0", "B9"};
constexpr std::array<std::string_view, 4> kAmplifierTexts = {"External", "INT:Speaker[1]", "INT:Speaker[2]",
                                                             "INT:Both"};
constexpr std::array<std::string_view, 4> kIndexCodes = {"0", "1", "2", "3"};
constexpr std::array<std::string_view, 2> kVolumeOutTexts = {"VAR", "FIX"};
// The main form's Mute check box writes the same texts.
constexpr std::array<std::string_view, 2> kMuteTexts = {"OFF", "ON"};
constexpr std::array<std::string_view, 2> kZone2MuteCodes = {"1", "0"};
constexpr std::array<std::string_view, 2> kZone3MuteCodes = {"66", "26"};

// Everything that differs between the two zones.
struct ZoneItems {
  ChoiceItem input;
  ChoiceItem amplifier;
  ChoiceItem volumeOut;
  LevelItem volume;
  ChoiceItem mute;
  LevelItem balance;
};

constexpr ZoneItems MakeZone(int zone) {
  const bool two = zone == 0;
  const Needs needs = two ? Needs::Zone2 : Needs::Zone3;
  return {
      .input = {.number = two ? 15 : 20,
                .key = two ? "Zone2 Input" : "Zone3 Input",
                .texts = kInputTexts,
                .address = "07A",
                .codes = two ? std::span<const std::string_view>(kZone2InputCodes) : kZone3InputCodes,
                .needs = needs},
      .amplifier = {.number = two ? 16 : 21,
                    .key = two ? "Zone2 Amplifier" : "Zone3 Amplifier",
                    .texts = kAmplifierTexts,
                    .address = two ? "23E0" : "23F0",
                    .codes = kIndexCodes,
                    .needs = needs},
      .volumeOut = {.number = two ? 17 : 22,
                    .key = two ? "Zone2 Volume Out" : "Zone3 Volume Out",
                    .texts = kVolumeOutTexts,
                    .address = two ? "2660" : "26B0",
                    .codes = std::span(kIndexCodes).first(2),
                    .needs = needs},
      .volume = {.number = two ? 18 : 23,
                 .key = two ? "Zone2 Volume" : "Zone3 Volume",
                 .min = zone::kVolumeMin,
                 .max = zone::kVolumeMax,
                 .step = zone::kVolumeStep,
                 .unit = "dB",
                 .address = two ? "231" : "234",
                 .encode = zone::VolumeData,
                 .format = VolumeText,
                 .needs = needs},
      .mute = {.number = two ? 19 : 24,
               .key = two ? "Zone2 Volume Mute" : "Zone3 Volume Mute",
               .texts = kMuteTexts,
               .address = two ? "07EA" : "07E",
               .codes = two ? std::span<const std::string_view>(kZone2MuteCodes) : kZone3MuteCodes,
               .needs = needs},
      .balance = {.number = two ? 25 : 26,
                  .key = two ? "Zone2 Balance" : "Zone3 Balance",
                  .min = zone::kBalanceMin,
                  .max = zone::kBalanceMax,
                  .address = two ? "2AD" : "2AE",
                  .encode = zone::BalanceData,
                  .format = BalanceText,
                  .needs = needs},
  };
}

constexpr std::array<ZoneItems, 2> kZones = {MakeZone(0), MakeZone(1)};

// A download sends each zone's Volume Out after its volume and mute.
constexpr std::array<int, 12> kSendOrder = {15, 16, 18, 19, 17, 25, 20, 21, 23, 24, 22, 26};

constexpr int kFirstControlId = 1500;
constexpr int kIdsPerZone = 20;

// The zone (0 Zone2, 1 Zone3) whose amplifier is `number`, or -1.
int AmplifierZone(int number) {
  for (int zone = 0; zone < 2; ++zone) {
    if (kZones[static_cast<std::size_t>(zone)].amplifier.number == number) return zone;
  }
  return -1;
}

const ZoneItems& Other(int zone) { return kZones[zone == 0 ? 1 : 0]; }

}  // namespace

CMultiZone::ZoneControls::ZoneControls(int firstId, std::string caption)
    : box(firstId, std::move(caption)),
      input(firstId + 1),
      amplifier(firstId + 2),
      volumeOut(firstId + 3),
      volume(firstId + 4),
      volumeLabel(firstId + 5),
      mute(firstId + 6, "Mute"),
      balance(firstId + 7),
      balanceLabel(firstId + 8) {}

CMultiZone::CMultiZone(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      zones_{ZoneControls(kFirstControlId, "Zone2"), ZoneControls(kFirstControlId + kIdsPerZone, "Zone3")} {
  std::vector<ui::LayoutNode> groups;
  for (int zone = 0; zone < 2; ++zone) {
    const ZoneItems& items = kZones[static_cast<std::size_t>(zone)];
    ZoneControls& c = controls(zone);
    Bind(items.input, c.input);
    Bind(items.amplifier, c.amplifier);
    Bind(items.volumeOut, c.volumeOut);
    Bind(items.volume, c.volume, &c.volumeLabel);
    Bind(items.mute, c.mute);
    Bind(items.balance, c.balance, &c.balanceLabel);
    groups.push_back(ui::Group(c.box, {ui::Item("Input", c.input), ui::Item("Amplifier", c.amplifier),
                                       ui::Item("Volume Out", c.volumeOut),
                                       ui::Row({ui::Column({ui::Item("Volume", c.volume), ui::Item(c.volumeLabel)}),
                                                ui::Item(c.mute)}),
                                       ui::Item("Balance", c.balance), ui::Item(c.balanceLabel)}));
  }
  SetSendOrder({kSendOrder.begin(), kSendOrder.end()});
  SetLayout(ui::Row(std::move(groups)));
}

void CMultiZone::applyVolumeOutRule(int zone) {
  const ZoneItems& items = kZones[static_cast<std::size_t>(zone)];
  const bool external = Value(items.amplifier.number) == zone::kExternal;
  // A zone the receiver lacks keeps what it holds.
  if (!external && !isRealTime() && IsItemAvailable(items.volumeOut.number)) {
    Store(items.volumeOut.number, 0);  // VAR
    ShowItem(items.volumeOut.number);
  }
  SetItemEnabled(items.volumeOut.number, external);
}

void CMultiZone::UpdateControlStates() {
  for (int zone = 0; zone < 2; ++zone) applyVolumeOutRule(zone);
}

bool CMultiZone::AcceptChoice(int number, std::int32_t value, std::int32_t /*previous*/) {
  const int zone = AmplifierZone(number);
  return zone < 0 || zone::AmplifierAllowed(value, Value(Other(zone).amplifier.number));
}

void CMultiZone::OnStored(int number) {
  if (const int zone = AmplifierZone(number); zone >= 0) applyVolumeOutRule(zone);
}

bool CMultiZone::ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) {
  if (const int zone = AmplifierZone(number); zone >= 0) {
    const auto value = kZones[static_cast<std::size_t>(zone)].amplifier.Parse(text, true);
    const auto other = ValueIn(image, Other(zone).amplifier.number);
    if (!value || !other || !zone::AmplifierAllowed(*value, *other)) return false;
  }
  return CItemPage::ParseItem(image, number, subIndex, text);
}

void CMultiZone::LoadItems(model::ParameterImage& image, const files::Profile& profile) {
  // A pair that is sound as a whole is stored first; each amplifier is then read again on
  // its own with the others (a refused one stays as it was).
  std::array<std::optional<std::int32_t>, 2> pair;
  for (int zone = 0; zone < 2; ++zone) {
    const ChoiceItem& item = kZones[static_cast<std::size_t>(zone)].amplifier;
    const std::string text = profile.GetString(caption(), std::string(item.key), "");
    pair[static_cast<std::size_t>(zone)] = text.empty() ? ValueIn(image, item.number) : item.Parse(text, true);
  }
  if (pair[0] && pair[1] && zone::AmplifierAllowed(*pair[0], *pair[1])) {
    model::SetParameter(image, kZones[0].amplifier.number, *pair[0]);
    model::SetParameter(image, kZones[1].amplifier.number, *pair[1]);
  }
  CItemPage::LoadItems(image, profile);
}

std::string CMultiZone::RefusalReason(const model::ParameterImage& image, int number, int subIndex,
                                      std::string_view text) const {
  if (const int zone = AmplifierZone(number); zone >= 0) {
    const ChoiceItem& other = Other(zone).amplifier;
    const auto value = kZones[static_cast<std::size_t>(zone)].amplifier.Parse(text, true);
    const auto otherValue = ValueIn(image, other.number);
    if (value && otherValue && !zone::AmplifierAllowed(*value, *otherValue)) {
      return std::string(other.key) + " is \"" + std::string(other.Text(*otherValue)) +
             "\", and the two zones cannot share an internal amplifier output";
    }
  }
  return CItemPage::RefusalReason(image, number, subIndex, text);
}

}  // namespace tw::pages
