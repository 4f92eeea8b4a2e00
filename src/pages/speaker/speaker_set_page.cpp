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

}  // namespace

SpeakerSetPage::SpeakerSetPage(const PageContext& context) : ItemPage(context, settings::SpeakerSetSettings()) {
  for (std::size_t i = 0; i < kFrames.size(); ++i) {
    MakeRadios(kFirstNumber + static_cast<int>(i), kFirstControlId + kIdsPerGroup * static_cast<int>(i),
               std::string(kFrames[i]));
  }
  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({item(427), item(428), item(429)}),
      ui::Row({item(430), item(431), item(432)}),
      ui::Row({item(433), item(435)}),
      item(434),
  }));
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

}  // namespace tw::pages
