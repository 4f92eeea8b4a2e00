#include "ui/basic_control/basic_control_group.h"

#include <stdexcept>
#include <variant>

#include "comm/link_constants.h"
#include "comm/operation_command.h"
#include "model/parameter_access.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/basic/basic_lists.h"

namespace tw::ui {
namespace {

model::ParameterImage& CurrentImage(PageLink& link) {
  model::ParameterImage* image = link.image(0);
  if (image == nullptr) throw std::logic_error("the link holds no current image");
  return *image;
}

void FillWithData(ListCombo& list, std::span<const std::string_view> texts, std::size_t count) {
  list.resetContent();
  for (std::size_t i = 0; i < texts.size() && i < count; ++i)
    list.addString(std::string(texts[i]), static_cast<std::intptr_t>(i));
}

}  // namespace

BasicControlGroup::BasicControlGroup(PageLink& link, UiServices& ui, BasicControlPeers* peers)
    : link_(link), ui_(ui), peers_(peers != nullptr ? peers : &noPeers_), image_(CurrentImage(link)) {
  // The lists hold their fixed texts from the start: they are the file and report vocabulary.
  fillLists();

  input.onSelChange = [this] { onInput(); };
  audioSelect.onSelChange = [this] {
    integer(2) = static_cast<std::int32_t>(audioSelect.itemData(audioSelect.curSel()));
    SendBasicItem(2);
  };
  decoder.onSelChange = [this] {
    integer(3) = static_cast<std::int32_t>(decoder.itemData(decoder.curSel()));
    SendBasicItem(3);
  };
  program.onSelChange = [this] { onProgram(); };
  enhancer.onSelChange = [this] { onEnhancer(); };
  selector.onClicked = [this](int index) { onSelector(index); };
  surround.onSelChange = [this] {
    integer(6) = surround.curSel();
    SendBasicItem(6);
  };
  nightMode.onSelChange = [this] { onNightMode(); };
  nightParameter.onClicked = [this](int index) {
    integer(8) = index;
    SendBasicItem(8);
  };
  mute.onClicked = [this] {
    integer(10) = mute.checked();
    SendBasicItem(10);
  };
  volume.onDragged = [this] { onVolumeDraw(); };
  volume.onReleased = [this] { SendBasicItem(9); };
  zoneMain.onClicked = [this] {
    integer(13) = zoneMain.checked();
    SendBasicItem(12);
  };
  zone2.onClicked = [this] {
    integer(14) = zone2.checked();
    SendBasicItem(13);
  };
  zone3.onClicked = [this] {
    integer(15) = zone3.checked();
    SendBasicItem(14);
  };

  // A narrow panel beside the pages: the four lists as a form, the sound program's selector
  // beside its two lists, then the night mode, volume and zone power frames.
  form_ = std::make_unique<Form>(
      std::string(basic::kSection),
      Column({Item("Input", input), Item("Audio Select", audioSelect), Item("Decoder Mode", decoder),
              Item("EXTD SUR", surround), Row({Item(selector), Column({Item(program), Item(enhancer)})}),
              Group(nightBox, {Row({Item(nightMode), Item(nightParameter)})}),
              Group(volumeBox, {Row({Item(volume), Item(volumeLabel), Item(mute)})}),
              Group(zoneBox, {Row({Item(zoneMain), Item(zone2), Item(zone3)})})}));
  showMembers();
}

std::int32_t& BasicControlGroup::integer(int n) const {
  return image_.basic[static_cast<std::size_t>(n - 1)];
}

void BasicControlGroup::fillLists() {
  input.Fill(basic::kInputs);
  FillWithData(audioSelect, basic::kAudioSelect, basic::kAudioSelect.size());
  FillWithData(decoder, basic::kDecoderModes, basic::kDecoderModes.size());
  program.Fill(basic::kPrograms);
  surround.Fill(basic::kSurround);
  nightMode.Fill(basic::kNightModes);
  enhancer.Fill(basic::kEnhancers);
}

// The members that dialog data exchange moves: mute, night parameter, selector, zone power.
void BasicControlGroup::showMembers() {
  mute.setChecked(integer(10));
  nightParameter.setSelected(integer(8));
  selector.setSelected(integer(12));
  zoneMain.setChecked(integer(13));
  zone2.setChecked(integer(14));
  zone3.setChecked(integer(15));
}

void BasicControlGroup::FillBasicControls() {
  fillLists();
  input.setCurSel(integer(1));
  audioSelect.selectData(integer(2));
  decoder.selectData(integer(3));
  program.setCurSel(integer(4));
  surround.setCurSel(integer(6));
  nightMode.setCurSel(integer(7));
  enableNightParameter();
  peers_->ActivateSpeakerSet();
  enhancer.setCurSel(integer(11));
  volume.Setup(&volumeLabel, "dB", basic::kVolumeMin, basic::kVolumeMax, basic::kVolumeStep, integer(9),
               LevelStyle::Volume);
  SetDspSelectorMode(0);
  showMembers();
}

void BasicControlGroup::SetDspSelectorMode(int mode) {
  if (mode == 0 || mode == 1 || mode == 2) {
    program.setEnabled(mode == 0);
    enhancer.setEnabled(mode == 2);
  }
}

void BasicControlGroup::enableNightParameter() {
  const bool on = integer(7) != 0;
  for (int i = 0; i < nightParameter.count(); ++i) nightParameter.setButtonEnabled(i, on);
}

// The program shown by the selector: an enhancer, Straight, or a program list entry.
void BasicControlGroup::showProgram() {
  const std::int32_t value = integer(4);
  if (value >= basic::kFirstEnhancerProgram && value < basic::kStraightProgram) {
    selector.setSelected(basic::kSelectorEnhancer);
    integer(11) = value - basic::kFirstEnhancerProgram;
    enhancer.setCurSel(integer(11));
    SetDspSelectorMode(2);
  } else if (value == basic::kStraightProgram) {
    selector.setSelected(basic::kSelectorStraight);
    SetDspSelectorMode(1);
  } else {
    selector.setSelected(basic::kSelectorProgram);
    program.setCurSel(value);
    SetDspSelectorMode(0);
  }
}

void BasicControlGroup::applyMultiChRule() {
  const bool multiCh = integer(1) == basic::kMultiChInput;
  selector.setButtonEnabled(basic::kSelectorProgram, !multiCh);
  selector.setButtonEnabled(basic::kSelectorEnhancer, !multiCh);
  if (multiCh) {
    selector.setSelected(basic::kSelectorStraight);
    SetDspSelectorMode(1);
  }
}

void BasicControlGroup::RefreshBasicControls() {
  enableNightParameter();
  peers_->ActivateSpeakerSet();
  nightParameter.setSelected(integer(8));
  mute.setChecked(integer(10));
  input.setCurSel(integer(1));
  zoneMain.setChecked(integer(13));
  zone2.setChecked(integer(14));
  zone3.setChecked(integer(15));
  audioSelect.selectData(integer(2));
  decoder.selectData(integer(3));
  showProgram();
  surround.setCurSel(integer(6));
  nightMode.setCurSel(integer(7));
  volume.SetValue(integer(9));
}

// The controls hold the members themselves, so `update` has nothing left to push.
void BasicControlGroup::RefreshBasicItem(int number, bool /*update*/) {
  switch (number) {
    case 1:
      input.setCurSel(integer(1));
      applyMultiChRule();
      break;
    case 2:
      audioSelect.selectData(integer(2));
      break;
    case 3:
      decoder.selectData(integer(3));
      break;
    case 4:
      showProgram();
      if (link_.isRealTime() && integer(4) >= 0 && integer(4) < basic::kFirstEnhancerProgram) {
        peers_->SetDspProgram(integer(4));
      }
      break;
    case 5:
      selector.setSelected(basic::kSelectorStraight);
      SetDspSelectorMode(1);
      break;
    case 6:
      surround.setCurSel(integer(6));
      break;
    case 7:
      nightMode.setCurSel(integer(7));
      enableNightParameter();
      break;
    case 8:
      nightParameter.setSelected(integer(8));
      break;
    case 9:
      volume.SetValue(integer(9));
      break;
    case 10:
      mute.setChecked(integer(10));
      break;
    case 11:
      selector.setSelected(basic::kSelectorEnhancer);
      enhancer.setCurSel(integer(11));
      SetDspSelectorMode(2);
      break;
    case 12:
      zoneMain.setChecked(integer(13));
      break;
    case 13:
      zone2.setChecked(integer(14));
      break;
    case 14:
      zone3.setChecked(integer(15));
      break;
    default:
      break;
  }
}

void BasicControlGroup::RestoreFocus() {
  if (nightParameter.focusedButton() >= 0) nightParameter.setFocusedButton(nightParameter.selected());
}

void BasicControlGroup::UpdateCapabilities(const model::Capabilities& capabilities) {
  FillWithData(decoder, basic::kDecoderModes, capabilities.aac != 0 ? basic::kDecoderModes.size() : 2);
  decoder.selectData(integer(3));
  // Async Mode keeps the whole zone power group hidden whatever the receiver has.
  const bool realTime = link_.isRealTime();
  zoneBox.setVisible(realTime);
  zoneMain.setVisible(realTime);
  zone2.setVisible(realTime && capabilities.zone2 != 0);
  zone3.setVisible(realTime && capabilities.zone3 != 0);
}

std::optional<ItemName> BasicControlGroup::DescribeBasicItem(const model::ParameterImage& image, int number) {
  return NameOf(settings::BasicControlSettings().DescribeItem(image, number, -1, false));
}

// --- handlers ---

void BasicControlGroup::onInput() {
  integer(1) = input.curSel();
  SendBasicItem(1);
  if (!link_.isRealTime() && integer(1) >= 0 && integer(1) <= basic::kMultiChInput) {
    const auto stored = model::GetParameter(image_, basic::kInputProgramNumber + 2 * integer(1));
    if (stored && std::holds_alternative<std::int32_t>(*stored)) {
      integer(4) = std::get<std::int32_t>(*stored);
      RefreshBasicItem(4, false);
    }
  }
  applyMultiChRule();
}

// A list without a selection (the program was Straight or an enhancer when it was filled)
// offers its first entry rather than storing "no entry" as the program.
void BasicControlGroup::selectOrFirst(ListCombo& list) const {
  if (list.curSel() < 0) list.setCurSel(0);
}

void BasicControlGroup::onProgram() {
  selectOrFirst(program);
  integer(4) = program.curSel();
  if (link_.isRealTime()) peers_->SetDspProgram(integer(4));
  SendBasicItem(4);
  if (!link_.isRealTime()) storeProgramForInput();
}

void BasicControlGroup::onEnhancer() {
  selectOrFirst(enhancer);
  integer(11) = enhancer.curSel();
  integer(4) = enhancer.curSel() + basic::kFirstEnhancerProgram;
  // Twice in succession, on purpose: the enhancer command is always repeated.
  SendBasicItem(4);
  SendBasicItem(4);
  if (!link_.isRealTime()) storeProgramForInput();
}

void BasicControlGroup::onSelector(int index) {
  integer(12) = index;
  switch (index) {
    case basic::kSelectorProgram:
      onProgram();
      SetDspSelectorMode(0);
      break;
    case basic::kSelectorStraight:
      integer(4) = basic::kStraightProgram;
      SendBasicItem(4);
      SetDspSelectorMode(1);
      if (!link_.isRealTime()) storeProgramForInput();
      break;
    case basic::kSelectorEnhancer:
      onEnhancer();
      SetDspSelectorMode(2);
      break;
    default:
      break;
  }
}

void BasicControlGroup::onNightMode() {
  integer(7) = nightMode.curSel();
  SendBasicItem(7);
  enableNightParameter();
  peers_->ActivateSpeakerSet();
}

void BasicControlGroup::onVolumeDraw() {
  if (link_.isTransferDialogOpen()) return;
  integer(9) = volume.GetValue();
  volumeLabel.setText(VolumeText(integer(9)));
}

// Async Mode: the Input DSP page remembers the program of the current input.
void BasicControlGroup::storeProgramForInput() {
  if (integer(1) < 0 || integer(1) > basic::kMultiChInput) return;
  const int number = basic::kInputProgramNumber + 2 * integer(1);
  model::SetParameter(image_, number, integer(4));
  peers_->RefreshInputDspItem(number, true);
}

// --- sending and queueing ---

void BasicControlGroup::SendBasicItem(int number) {
  if (!link_.isRealTime()) return;
  WaitCursor wait(ui_);
  QueueBasicItem(image_, number);
  link_.SendPacket("", comm::kNoParameter);
}

void BasicControlGroup::QueueBasicItem(const model::ParameterImage& image, int number) {
  const std::string command = comm::BuildOperationCommand(image.basic, number);
  if (!command.empty()) link_.SendPacket(command, number);
}

void BasicControlGroup::QueueBasicControls(const model::ParameterImage& image) {
  int count = 0;
  const auto numbers = comm::BasicDownloadNumbers(image.basic, count);
  for (int i = 0; i < count; ++i) QueueBasicItem(image, numbers[static_cast<std::size_t>(i)]);
}

}  // namespace tw::ui
