#include "pages/system/advanced_setup_page.h"

#include "pages/radio_buttons.h"
#include "ui/ui_services.h"

namespace tw::pages {
namespace {

constexpr int kFirstNumber = 535;
constexpr int kSpeakerImpedance = 535;
constexpr int kUserPreset = 536;
constexpr int kXmId = 541;
constexpr int kTunerFrequencyStep = 543;
constexpr int kVideoReset = 545;

constexpr std::array<std::string_view, 2> kImpedanceTexts = {"8 ohm", "6 ohm"};
constexpr std::array<std::string_view, 2> kCancelReset = {"Cancel", "Reset"};
constexpr std::array<std::string_view, 2> kOnOff = {"On", "Off"};
constexpr std::array<std::string_view, 2> kNoYes = {"No", "Yes"};
constexpr std::array<std::string_view, 2> kIds = {"ID 1", "ID 2"};
constexpr std::array<std::string_view, 2> kFanTexts = {"Auto", "Cont."};
constexpr std::array<std::string_view, 2> kStepTexts = {"AM10/FM100", "AM9/FM50"};
constexpr std::array<std::string_view, 2> kCancelYes = {"Cancel", "Yes"};
constexpr std::array<std::string_view, 2> kCodes = {"0", "1"};

// In number order, which is also the file and send order.
constexpr std::array<ChoiceItem, 11> kItems = {{
    {.number = 535, .key = "Speaker Impedance", .texts = kImpedanceTexts, .address = "2B30", .codes = kCodes},
    {.number = 536, .key = "User Preset", .texts = kCancelReset, .address = "2B70", .codes = kCodes},
    {.number = 537, .key = "Remote Sensor", .texts = kOnOff, .address = "2B90", .codes = kCodes},
    {.number = 538, .key = "Wake on 232C Access", .texts = kNoYes, .address = "2BD0", .codes = kCodes},
    {.number = 539, .key = "Remote Control Amplifier ID", .texts = kIds, .address = "2B10", .codes = kCodes},
    {.number = 540, .key = "Remote Control Tuner ID", .texts = kIds, .address = "2B50", .codes = kCodes},
    {.number = 541, .key = "Remote Control XM ID", .texts = kIds, .address = "2BA0", .codes = kCodes},
    // "Cont." is a setting of the receiver that this page does not offer.
    {.number = 542, .key = "Fan Mode", .texts = kFanTexts, .address = "2B20", .codes = kCodes, .shown = 1},
    {.number = 543, .key = "Tuner Frequency Step", .texts = kStepTexts, .address = "2B40", .codes = kCodes},
    {.number = 544, .key = "Bi-Amplifier", .texts = kOnOff, .address = "2BB0", .codes = kCodes},
    {.number = 545, .key = "Video Reset", .texts = kCancelYes, .address = "2B80", .codes = kCodes},
}};

// Tuner Frequency Step that regions 2 and 3 fix in Async Mode.
constexpr std::int32_t kStepOfRegion2 = 1;  // AM9/FM50
constexpr std::int32_t kStepOfRegion3 = 0;  // AM10/FM100

constexpr int kFirstGroupId = 1750;
constexpr int kIdsPerGroup = 3;
constexpr int kNoteId = 1790;

constexpr std::string_view kNoteText =
    "* The new setting is activated next time you press\n  ''MASTER ON/OFF'' inward to the ON position.";

ui::RadioGroup MakeGroup(std::size_t index) {
  const int frameId = kFirstGroupId + kIdsPerGroup * static_cast<int>(index);
  return ui::RadioGroup(frameId, std::string(kItems[index].key), Buttons(kItems[index], frameId + 1));
}

}  // namespace

CAdvSetup::CAdvSetup(const PageContext& context)
    : CItemPage(context, std::string(kCaption), kTemplateId),
      groups_{MakeGroup(0), MakeGroup(1), MakeGroup(2), MakeGroup(3), MakeGroup(4), MakeGroup(5),
              MakeGroup(6), MakeGroup(7), MakeGroup(8), MakeGroup(9), MakeGroup(10)},
      note_(kNoteId, std::string(kNoteText)) {
  for (std::size_t i = 0; i < kItems.size(); ++i) Bind(kItems[i], groups_[i]);
  auto item = [this](int number) { return ui::Item(group(number)); };
  SetLayout(ui::Column({
      ui::Row({item(535), item(536), item(545)}),
      ui::Row({item(537), item(538), item(544)}),
      ui::Row({item(539), item(540), item(541)}),
      ui::Row({item(542), item(543)}),
      ui::Item(note_),
  }));
}

ui::RadioGroup& CAdvSetup::group(int number) {
  const int index = number - kFirstNumber;
  return groups_[index >= 0 && index < static_cast<int>(groups_.size()) ? static_cast<std::size_t>(index) : 0];
}

void CAdvSetup::setShown(int number, bool shown) { group(number).setVisible(shown); }

bool CAdvSetup::IsListed(const PageItem& item, bool forFile) const {
  const int region = link().tunerRegion();
  switch (item.number) {
    case kUserPreset:
    case kVideoReset:
      // Actions, not settings: a download (or the write-back that ends an upload) must never
      // reset the receiver because an image holds "Reset" or "Yes". Only a click sends them.
      return forFile;
    case kSpeakerImpedance:
      return region != 0;
    case kXmId:
      return region == 1;
    case kTunerFrequencyStep:
      return region == 2 || region == 3;
    default:
      return true;
  }
}

bool CAdvSetup::ConfirmChoice(int number, int index) {
  if (index != 1) return true;
  if (number == kUserPreset) return ui::AskOkCancel(ui(), ui::msg::kFactoryReset);
  if (number == kVideoReset) return ui::AskOkCancel(ui(), ui::msg::kDisplaySetReset);
  return true;
}

void CAdvSetup::UpdateAvailability() {
  setShown(kXmId, link().capabilities().xm != 0);
  const int region = link().tunerRegion();
  // Idle, the receiver's region is not known: both show. A receiver of region 0 has neither,
  // one of region 1 no frequency step.
  setShown(kSpeakerImpedance, linkMode() == comm::LinkMode::Idle || region != 0);
  setShown(kTunerFrequencyStep, linkMode() == comm::LinkMode::Idle || (region != 0 && region != 1));
  CItemPage::UpdateAvailability();  // enables by capability, then UpdateControlStates
}

void CAdvSetup::UpdateControlStates() {
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

void CAdvSetup::RestoreFocus() {
  for (ui::RadioGroup& radios : groups_) RestoreRadioFocus(radios);
}

}  // namespace tw::pages
