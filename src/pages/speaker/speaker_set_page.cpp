#include "pages/speaker/speaker_set_page.h"

#include "pages/radio_buttons.h"
#include "settings/speaker/speaker_set_settings.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 427;
constexpr int kSurround = 429;

// The groups' frames, in number order.
constexpr std::array<std::string_view, 9> kFrames = {"Front",        "Center",         "Surround",
                                                     "Surround Back", "Presence",      "PR/SB Priority",
                                                     "LFE/Bass Out",  "SW Cross Over", "SW Phase"};

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
  const int frameId = kFirstControlId + kIdsPerGroup * static_cast<int>(index);
  const ChoiceItem& item = settings::SpeakerSetSettings().Choice(kFirstNumber + static_cast<int>(index));
  return ui::RadioGroup(frameId, std::string(kFrames[index]), Buttons(item, frameId + 1));
}

}  // namespace

SpeakerSetPage::SpeakerSetPage(const PageContext& context)
    : ItemPage(context, settings::SpeakerSetSettings()), groups_{MakeGroup(0), MakeGroup(1),
                                                                      MakeGroup(2), MakeGroup(3),
                                                                      MakeGroup(4), MakeGroup(5),
                                                                      MakeGroup(6), MakeGroup(7),
                                                                      MakeGroup(8)} {
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    Bind(settings().Choice(kFirstNumber + static_cast<int>(i)), groups_[i]);
  }
  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({item(427), item(428), item(429)}),
      ui::Row({item(430), item(431), item(432)}),
      ui::Row({item(433), item(435)}),
      item(434),
  }));
}

ui::RadioGroup& SpeakerSetPage::group(int number) {
  const int index = number - kFirstNumber;
  return groups_[index >= 0 && index < static_cast<int>(groups_.size()) ? static_cast<std::size_t>(index)
                                                                        : 0];
}

void SpeakerSetPage::UpdateControlStates() {
  const bool surround = Value(kSurround) != 0;
  for (const WithoutSurround& rule : kWithoutSurround) {
    if (rule.asyncOnly && isRealTime()) continue;
    EnableButtons(group(rule.number), surround);
    if (surround) continue;
    Store(rule.number, rule.value);
    ShowItem(rule.number);
  }
}

void SpeakerSetPage::OnStored(int number) {
  if (number == kSurround) UpdateControlStates();
}

void SpeakerSetPage::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
