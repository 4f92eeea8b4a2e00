#include "settings/zone/control_out_items.h"

#include "model/parameter_access.h"

namespace tw::settings::control_out {
namespace {

constexpr int kXmRow = 11;
constexpr int kMultiChRow = 12;
constexpr int kTriggerCount = kOutputCount * kTriggersPerOutput;

// The receiver's code of each row's input.
constexpr std::array<std::string_view, kRowCount> kRowCodes = {"00", "01", "02", "03", "04", "05", "06",
                                                               "07", "09", "0A", "0C", "0E", "10"};
constexpr std::array<std::string_view, kColumnCount> kColumnDigits = {"0", "1", "2"};
constexpr std::array<std::string_view, kOutputCount> kOutputNames = {"CONTROL OUT1", "CONTROL OUT2"};
constexpr std::array<std::string_view, kOutputCount> kOutputDigits = {"0", "1"};

constexpr std::array<std::string_view, 2> kTriggerTexts = {"L", "H"};
constexpr std::array<std::string_view, 2> kTriggerCodes = {"0", "1"};

constexpr std::array<std::string_view, 4> kTriggerControlTexts = {"Main", "Zone2", "Zone3", "Zone OR"};
constexpr std::array<std::string_view, 4> kOut1ControlCodes = {"2", "3", "1", "4"};
constexpr std::array<std::string_view, 4> kOut2ControlCodes = {"6", "7", "F", "8"};
// Zone OR follows both zones, so a list without either has no use for it.
constexpr std::array<Needs, 4> kTriggerControlNeeds = {Needs::Nothing, Needs::Zone2, Needs::Zone3,
                                                       Needs::BothZones};

constexpr std::array<ChoiceItem, kOutputCount> kTriggerControls = {{
    {.number = 307,
     .key = "CONTROL OUT1 Trigger Control",
     .texts = kTriggerControlTexts,
     .address = "07E3",
     .codes = kOut1ControlCodes,
     .entryNeeds = kTriggerControlNeeds},
    {.number = 345,
     .key = "CONTROL OUT2 Trigger Control",
     .texts = kTriggerControlTexts,
     .address = "07E9",
     .codes = kOut2ControlCodes,
     .entryNeeds = kTriggerControlNeeds},
}};

// A short text put together at compile time (keys and command addresses of the triggers).
struct FixedText {
  std::array<char, 32> chars{};
  std::size_t size = 0;
  constexpr FixedText& operator+=(std::string_view text) {
    for (char c : text) chars[size++] = c;
    return *this;
  }
  constexpr std::string_view view() const { return {chars.data(), size}; }
};

struct Place {
  int output;
  int row;
  int column;
};

// The place of the i-th trigger in screen order.
constexpr Place PlaceOf(int i) {
  const int output = i / kTriggersPerOutput;
  const int p = i % kTriggersPerOutput;
  if (p < kXmRow * kColumnCount) return {output, p / kColumnCount, p % kColumnCount};
  if (p < kXmRow * kColumnCount + kColumnCount) return {output, kXmRow, p - kXmRow * kColumnCount};
  return {output, kMultiChRow, 0};
}

// Each output's block: its Trigger Control, the inputs' three zones each, MULTI CH, XM's three.
constexpr int NumberOf(Place place) {
  const int first = kTriggerControls[static_cast<std::size_t>(place.output)].number;
  if (place.row == kMultiChRow) return first + 34;
  if (place.row == kXmRow) return first + 35 + place.column;
  return first + 1 + kColumnCount * place.row + place.column;
}

constexpr Needs NeedsOf(Place place) {
  constexpr std::array<Needs, kColumnCount> kColumns = {Needs::Nothing, Needs::Zone2, Needs::Zone3};
  constexpr std::array<Needs, kColumnCount> kXmColumns = {Needs::Xm, Needs::Zone2AndXm, Needs::Zone3AndXm};
  return (place.row == kXmRow ? kXmColumns : kColumns)[static_cast<std::size_t>(place.column)];
}

struct TriggerTexts {
  FixedText key;      // "CONTROL OUT1 PHONO Main", "CONTROL OUT1 MULTI CH"
  FixedText address;  // "20090401", output, column, input code
};

constexpr std::array<TriggerTexts, kTriggerCount> kTexts = [] {
  std::array<TriggerTexts, kTriggerCount> texts{};
  for (int i = 0; i < kTriggerCount; ++i) {
    const Place place = PlaceOf(i);
    TriggerTexts& t = texts[static_cast<std::size_t>(i)];
    t.key += kOutputNames[static_cast<std::size_t>(place.output)];
    t.key += " ";
    t.key += kRowNames[static_cast<std::size_t>(place.row)];
    if (place.row != kMultiChRow) {
      t.key += " ";
      t.key += kColumnNames[static_cast<std::size_t>(place.column)];
    }
    t.address += "20090401";
    t.address += kOutputDigits[static_cast<std::size_t>(place.output)];
    t.address += kColumnDigits[static_cast<std::size_t>(place.column)];
    t.address += kRowCodes[static_cast<std::size_t>(place.row)];
  }
  return texts;
}();

constexpr std::array<Trigger, kTriggerCount> kTriggers = [] {
  std::array<Trigger, kTriggerCount> triggers{};
  for (int i = 0; i < kTriggerCount; ++i) {
    const Place place = PlaceOf(i);
    const TriggerTexts& t = kTexts[static_cast<std::size_t>(i)];
    triggers[static_cast<std::size_t>(i)] = {place.output, place.row, place.column,
                                             ChoiceItem{.number = NumberOf(place),
                                                        .key = t.key.view(),
                                                        .texts = kTriggerTexts,
                                                        .address = t.address.view(),
                                                        .codes = kTriggerCodes,
                                                        .frame = CommandFrame::ExtendedLower,
                                                        .needs = NeedsOf(place)}};
  }
  return triggers;
}();

}  // namespace

const ChoiceItem& TriggerControl(int output) { return kTriggerControls[output == 0 ? 0 : 1]; }

std::span<const Trigger> Triggers(int output) {
  return std::span(kTriggers).subspan(output == 0 ? 0 : kTriggersPerOutput, kTriggersPerOutput);
}

bool TriggerControlOffered(const ChoiceItem& item, std::int32_t value, const model::Capabilities& capabilities) {
  const auto entry = item.EntryOf(value);
  return entry && (item.entryNeeds.empty() ||
                   Satisfied(item.entryNeeds[static_cast<std::size_t>(*entry)], capabilities));
}

void SetAllTriggers(model::ParameterImage& image, int output, std::int32_t value,
                    const model::Capabilities& capabilities) {
  for (const Trigger& trigger : Triggers(output)) {
    const bool zoneThere = (trigger.column == 1 && capabilities.zone2 != 0) ||
                           (trigger.column == 2 && capabilities.zone3 != 0);
    if (trigger.column == 0 || zoneThere) model::SetParameter(image, trigger.item.number, value);
  }
}

}  // namespace tw::settings::control_out

namespace tw::settings {
namespace {

class ControlOut final : public PageSettings {
 public:
  ControlOut() : PageSettings("CONTROL OUT") {
    for (int output = 0; output < control_out::kOutputCount; ++output) {
      Add(control_out::TriggerControl(output), true);
      for (const control_out::Trigger& trigger : control_out::Triggers(output)) Add(trigger.item);
    }
  }

  std::vector<std::string> Commands(const model::ParameterImage& image, int number, int subIndex,
                                    const SettingContext& context) const override {
    for (int output = 0; output < control_out::kOutputCount; ++output) {
      const ChoiceItem& item = control_out::TriggerControl(output);
      if (number != item.number) continue;
      const auto value = ReadValue(image, nullptr, number, -1);
      if (!value || !control_out::TriggerControlOffered(item, *value, context.capabilities)) return {};
    }
    return PageSettings::Commands(image, number, subIndex, context);
  }
};

}  // namespace

const PageSettings& ControlOutSettings() {
  static const ControlOut settings;
  return settings;
}

}  // namespace tw::settings
