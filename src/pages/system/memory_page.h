#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "pages/base_page.h"
#include "settings/configuration_memory.h"
#include "ui/controls/button.h"
#include "ui/controls/group_box.h"
#include "ui/controls/list_box.h"

namespace tw::pages {

// System Memory: the receiver's six memories, in four groups (System, Main Volume, Zone2
// Volume, Zone3 Volume), each with a list of "Memory 1" .. "Memory 6" and Load / Save. It is
// a window of its own beside the main window, created hidden with the sheet and shown on
// request.
//
// Real Time Mode: Load and Save send the receiver's memory command; after a System load the
// receiver's settings have changed behind the tool's back, so the user may reload them all.
// Async Mode: Load copies the group's parameters from the memory's image into the current
// settings, Save the other way; then every page shows the current settings again.
// While an upload or download runs, Load and Save do nothing.
class SystemMemoryPage final : public BasePage {
 public:
  static constexpr std::string_view kCaption = "System Memory";
  static constexpr int kGroupCount = 4;

  // `groups` says which parameters each group keeps; it must outlive the page.
  SystemMemoryPage(const PageContext& context, const settings::MemoryGroups& groups);

  // The controls of group `part` (0 System, 1 Main Volume, 2 Zone2 Volume, 3 Zone3 Volume);
  // the System group's for any other part.
  ui::ListBox& list(int part);
  ui::Button& loadButton(int part);
  ui::Button& saveButton(int part);

  // What the buttons do, for the memory selected in the group's list.
  void Load(int part) { run(part, true); }
  void Save(int part) { run(part, false); }

  // The window: the first show creates it (the lists are filled then).
  void ShowWindow();
  void HideWindow() { shown_ = false; }
  bool isWindowShown() const { return shown_; }
  // A renderer raises its window here.
  std::function<void()> onShowWindow;
  // Asked before an Async Mode Load replaces current settings; false: nothing is copied.
  std::function<bool()> confirmLoad;

 protected:
  void InitControls() override;

 private:
  struct Group {
    ui::GroupBox box;
    ui::ListBox list;
    ui::Button load;
    ui::Button save;
  };

  Group& groupOf(int part);
  void run(int part, bool load);
  void sendToReceiver(int part, int memory, bool load);
  void copyImages(int part, int memory, bool load);
  bool transferRunning() const;

  const settings::MemoryGroups& memoryGroups_;
  std::array<Group, kGroupCount> groups_;
  bool shown_ = false;
};

}  // namespace tw::pages
