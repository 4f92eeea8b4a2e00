#include "pages/speaker/speaker_set_page.h"

#include "pages/radio_buttons.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 427;
constexpr int kSurround = 429;

constexpr std::array<std::string_view, 2> kFrontTexts = {"Small", "Large"};
constexpr std::array<std::string_view, 2> kFrontCodes = {"1", "0"};
constexpr std::array<std::string_view, 3> kPresentTexts = {"None", "Small", "Large"};
constexpr std::array<std::string_view, 3> kPresentCodes = {"2", "1", "0"};
constexpr std::array<std::string_view, 5> kSurroundBackTexts = {"None", "Small x 1", "Small x 2", "Large x 1",
                                                                "Large x 2"};
constexpr std::array<std::string_view, 5> kSurroundBackCodes = {"4", "3", "2", "1", "0"};
constexpr std::array<std::string_view, 2> kPresenceTexts = {"None", "Yes"};
constexpr std::array<std::string_view, 2> kPrSbTexts = {"Surround Back", "Presence"};
constexpr std::array<std::string_view, 2> kOneZeroCodes = {"1", "0"};
constexpr std::array<std::string_view, 3> kLfeTexts = {"SWFR", "Front", "Both"};
constexpr std::array<std::string_view, 3> kLfeCodes = {"0", "1", "2"};
constexpr std::array<std::string_view, 9> kCrossOverTexts = {"40Hz",  "60Hz",  "80Hz",  "90Hz", "100Hz",
                                                             "110Hz", "120Hz", "160Hz", "200Hz"};
constexpr std::array<std::string_view, 9> kCrossOverCodes = {"0", "1", "2", "3", "4", "5", "6", "7", "8"};
constexpr std::array<std::string_view, 2> kPhaseTexts = {"Normal", "Reverse"};
constexpr std::array<std::string_view, 2> kPhaseCodes = {"00", "10"};

// One radio group per parameter, in number order (also the send and file order).
struct SetGroup {
  ChoiceItem item;
  std::string_view caption;  // the group's frame
};

constexpr std::array<SetGroup, 9> kGroups = {{
    {{427, "Front", kFrontTexts, "2710", kFrontCodes}, "Front"},
    {{428, "Center", kPresentTexts, "2700", kPresentCodes}, "Center"},
    {{429, "Surround", kPresentTexts, "2720", kPresentCodes}, "Surround"},
    {{430, "Surround Back", kSurroundBackTexts, "2730", kSurroundBackCodes}, "Surround Back"},
    {{431, "Presence", kPresenceTexts, "2740", kOneZeroCodes}, "Presence"},
    {{432, "PR/SB Select", kPrSbTexts, "27D0", kOneZeroCodes}, "PR/SB Priority"},
    {{433, "LFE/Bass Out", kLfeTexts, "2750", kLfeCodes}, "LFE/Bass Out"},
    {{434, "SW Cross Over", kCrossOverTexts, "27E0", kCrossOverCodes}, "SW Cross Over"},
    {{435, "SW Phase", kPhaseTexts, "276", kPhaseCodes}, "SW Phase"},
}};

// What having no surround speakers fixes. Surround itself stays selectable in both modes,
// so that the user can always bring the surround speakers back from this page.
struct WithoutSurround {
  int number;
  std::int32_t value;
  bool asyncOnly;
};
constexpr std::array<WithoutSurround, 4> kWithoutSurround = {{
    {428, 0, true},   // Center None
    {431, 0, true},   // Presence None
    {433, 1, true},   // LFE/Bass Out Front
    {430, 0, false},  // Surround Back None
}};

constexpr int kFirstControlId = 1300;
constexpr int kIdsPerGroup = 10;

ui::RadioGroup MakeGroup(std::size_t index) {
  const SetGroup& group = kGroups[index];
  const int frameId = kFirstControlId + kIdsPerGroup * static_cast<int>(index);
  return ui::RadioGroup(frameId, std::string(group.caption),
                        Buttons(group.item, frameId + 1));
}

}  // namespace

CSpeakerSet::CSpeakerSet(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId), groups_{MakeGroup(0), MakeGroup(1),
                                                                      MakeGroup(2), MakeGroup(3),
                                                                      MakeGroup(4), MakeGroup(5),
                                                                      MakeGroup(6), MakeGroup(7),
                                                                      MakeGroup(8)} {
  for (std::size_t i = 0; i < kGroups.size(); ++i) Bind(kGroups[i].item, groups_[i]);
  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({item(427), item(428), item(429)}),
      ui::Row({item(430), item(431), item(432)}),
      ui::Row({item(433), item(435)}),
      item(434),
  }));
}

ui::RadioGroup& CSpeakerSet::group(int number) {
  const int index = number - kFirstNumber;
  return groups_[index >= 0 && index < static_cast<int>(groups_.size()) ? static_cast<std::size_t>(index)
                                                                        : 0];
}

void CSpeakerSet::UpdateControlStates() {
  const bool surround = Value(kSurround) != 0;
  for (const WithoutSurround& rule : kWithoutSurround) {
    if (rule.asyncOnly && isRealTime()) continue;
    EnableButtons(group(rule.number), surround);
    if (surround) continue;
    Store(rule.number, rule.value);
    ShowItem(rule.number);
  }
}

void CSpeakerSet::OnStored(int number) {
  if (number == kSurround) UpdateControlStates();
}

void CSpeakerSet::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
