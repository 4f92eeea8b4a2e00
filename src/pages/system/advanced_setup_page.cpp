#include "pages/system/advanced_setup_page.h"

#include "pages/radio_buttons.h"
#include "settings/system/advanced_setup_settings.h"
#include "ui/ui_services.h"

namespace tw::pages {
namespace {

using namespace settings::advanced_setup;

constexpr int kFirstGroupId = 1750;
constexpr int kIdsPerGroup = 3;
constexpr int kNoteId = 1790;

constexpr std::string_view kNoteText =
    "* The new setting is activated next time you press\n  ''MASTER ON/OFF'' inward to the ON position.";

}  // namespace

AdvancedSetupPage::AdvancedSetupPage(const PageContext& context)
    : ItemPage(context, settings::AdvancedSetupSettings()), note_(kNoteId, std::string(kNoteText)) {
  for (int number = kSpeakerImpedance; number <= kLast; ++number) {
    MakeRadios(number, kFirstGroupId + kIdsPerGroup * (number - kSpeakerImpedance),
               std::string(settings().Choice(number).key));
  }
  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({item(535), item(536), item(545)}),
      ui::Row({item(537), item(538), item(544)}),
      ui::Row({item(539), item(540), item(541)}),
      ui::Row({item(542), item(543)}),
      ui::Item(note_),
  }));
}

void AdvancedSetupPage::setShown(int number, bool shown) { group(number).setVisible(shown); }

bool AdvancedSetupPage::ConfirmChoice(int number, int index) {
  if (index != 1) return true;
  if (number == kUserPreset) return ui::AskOkCancel(ui(), ui::msg::kFactoryReset);
  if (number == kVideoReset) return ui::AskOkCancel(ui(), ui::msg::kDisplaySetReset);
  return true;
}

void AdvancedSetupPage::UpdateAvailability() {
  setShown(kXmId, link().capabilities().xm != 0);
  const int region = link().tunerRegion();
  // Idle, the receiver's region is not known: both show. A receiver of region 0 has neither,
  // one of region 1 no frequency step.
  setShown(kSpeakerImpedance, linkMode() == comm::LinkMode::Idle || region != 0);
  setShown(kTunerFrequencyStep, linkMode() == comm::LinkMode::Idle || (region != 0 && region != 1));
  ItemPage::UpdateAvailability();  // enables by capability, then UpdateControlStates
}

void AdvancedSetupPage::UpdateControlStates() {
  if (isRealTime()) return;
  // The resets act only on a connected receiver.
  EnableButtons(group(kUserPreset), false);
  EnableButtons(group(kVideoReset), false);
  const int region = link().tunerRegion();
  const bool fixedStep = region == 2 || region == 3;
  setShown(kSpeakerImpedance, region != 0);
  setShown(kXmId, link().capabilities().xm != 0 && region != 0 && !fixedStep);
  setShown(kTunerFrequencyStep, fixedStep);
  EnableButtons(group(kTunerFrequencyStep), !fixedStep);
  if (fixedStep) {
    Store(kTunerFrequencyStep, region == 2 ? kStepOfRegion2 : kStepOfRegion3);
    ShowItem(kTunerFrequencyStep);
  }
}

}  // namespace tw::pages
