#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/profile.h"
#include "model/parameter_image.h"
#include "settings/basic/basic_lists.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/layout.h"
#include "ui/controls/level_slider.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"
#include "ui/main_view_parts.h"
#include "ui/page_link.h"
#include "ui/ui_services.h"

namespace tw::ui {

namespace basic = settings::basic;

// The settings pages that the Basic Control group reaches; the page sheet is one. Every
// operation defaults to nothing.
class BasicControlPeers {
 public:
  virtual ~BasicControlPeers() = default;
  // The night mode changed: the Speaker Set page's activation (its RefreshAll) runs.
  virtual void ActivateSpeakerSet() {}
  // Real Time Mode: the sound program 0..23 in use, for the DSP Parameters page.
  virtual void SetDspProgram(int /*program*/) {}
  // Async Mode: the Input DSP page's item `number` (212 + 2 x input) changed in the image.
  virtual void RefreshInputDspItem(int /*number*/, bool /*update*/) {}
};

// The Basic Control group of the main form: the first block of the image (input, audio
// select, decoder, sound program, surround, night mode, volume, mute, zone power) bound to
// its controls. It stores every edit in the current image at once and sends it in Real Time
// Mode, and it is the "page" of section "Basic Control" for downloads, files and reports.
//
// The block integers are numbered 1..15 as the block lays them out; the parameter numbers
// 1..14 are what commands, files and reports use (see the item table in the .cpp).
class BasicControlGroup final : public ViewBasicGroup {
 public:
  BasicControlGroup(PageLink& link, UiServices& ui, BasicControlPeers* peers = nullptr);
  BasicControlGroup(const BasicControlGroup&) = delete;
  BasicControlGroup& operator=(const BasicControlGroup&) = delete;

  Form& form() { return *form_; }
  // Arrow keys are consumed (they never change a value here); other keys reach `focused`.
  bool PreTranslateKey(Control& focused, Key key) { return form_->pressKey(focused, key); }

  // --- what the view runs ---
  LayoutNode layout() override { return form_->root(); }
  // Fills and selects every list, sets up the volume slider, shows the members.
  void FillBasicControls() override;
  // 0: program list on, enhancer list off; 1: both off; 2: the other way round.
  void SetDspSelectorMode(int mode);
  void RefreshBasicControls() override;
  void RefreshBasicItem(int number, bool update) override;
  std::optional<ItemName> DescribeBasicItem(const model::ParameterImage& image, int number) override;
  // Focus on a night parameter radio moves to the selected one.
  void RestoreFocus() override;
  void UpdateCapabilities(const model::Capabilities& capabilities) override;

  // --- downloads ---
  // 1, 2, 3, 6, 7, 8 (night mode on only), then 5, 11 or 4 by the program, 9, 10.
  void QueueBasicControls(const model::ParameterImage& image);
  void QueueBasicItem(const model::ParameterImage& image, int number);
  // Real Time Mode only: the item's command and the batch start.
  void SendBasicItem(int number);

  // --- the controls, with their form ids ---
  ListCombo input{1010};
  ListCombo audioSelect{1264};
  ListCombo decoder{1011};
  RadioGroup selector{0, "", {{1390, "DSP Program"}, {1391, "Straight"}, {1392, "Music Enhancer"}}};
  ListCombo program{1019};
  ListCombo enhancer{1025};
  ListCombo surround{1014};
  GroupBox nightBox{0, "Night Mode"};
  ListCombo nightMode{1021};
  RadioGroup nightParameter{0, "", {{1015, "Min"}, {1016, "Mid"}, {1017, "Max"}}};
  GroupBox volumeBox{0, "Main Volume"};
  LevelSlider volume{1018};
  ValueLabel volumeLabel{1004};
  CheckBox mute{1003, "Mute"};
  GroupBox zoneBox{1261, "Zone Power"};
  CheckBox zoneMain{1257, "Main"};
  CheckBox zone2{1258, "Zone 2"};
  CheckBox zone3{1022, "Zone 3"};

 private:
  // Block integer `n` (1..15) of the current image.
  std::int32_t& integer(int n) const;
  void fillLists();
  void showMembers();
  void showProgram();
  void applyMultiChRule();
  void enableNightParameter();
  void storeProgramForInput();
  void selectOrFirst(ListCombo& list) const;

  // handlers
  void onInput();
  void onProgram();
  void onEnhancer();
  void onSelector(int index);
  void onNightMode();
  void onVolumeDraw();

  PageLink& link_;
  UiServices& ui_;
  BasicControlPeers* peers_;
  BasicControlPeers noPeers_;
  model::ParameterImage& image_;
  std::unique_ptr<Form> form_;
};

}  // namespace tw::ui
