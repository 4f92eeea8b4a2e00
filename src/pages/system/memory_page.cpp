#include "pages/system/memory_page.h"

#include "comm/memory_commands.h"
#include "files/memory_sections.h"
#include "ui/ui_services.h"

namespace tw::pages {
namespace {

constexpr std::array<std::string_view, SystemMemoryPage::kGroupCount> kGroupCaptions = {"System", "Main Volume",
                                                                                   "Zone2 Volume", "Zone3 Volume"};

constexpr int kFirstId = 1850;
constexpr int kIdsPerGroup = 4;  // frame, list, Load, Save

}  // namespace

SystemMemoryPage::SystemMemoryPage(const PageContext& context, const settings::MemoryGroups& groups)
    : BasePage(context, std::string(kCaption)),
      memoryGroups_(groups),
      groups_{{
          {ui::GroupBox(kFirstId, std::string(kGroupCaptions[0])), ui::ListBox(kFirstId + 1),
           ui::Button(kFirstId + 2, "Load"), ui::Button(kFirstId + 3, "Save")},
          {ui::GroupBox(kFirstId + kIdsPerGroup, std::string(kGroupCaptions[1])),
           ui::ListBox(kFirstId + kIdsPerGroup + 1), ui::Button(kFirstId + kIdsPerGroup + 2, "Load"),
           ui::Button(kFirstId + kIdsPerGroup + 3, "Save")},
          {ui::GroupBox(kFirstId + 2 * kIdsPerGroup, std::string(kGroupCaptions[2])),
           ui::ListBox(kFirstId + 2 * kIdsPerGroup + 1), ui::Button(kFirstId + 2 * kIdsPerGroup + 2, "Load"),
           ui::Button(kFirstId + 2 * kIdsPerGroup + 3, "Save")},
          {ui::GroupBox(kFirstId + 3 * kIdsPerGroup, std::string(kGroupCaptions[3])),
           ui::ListBox(kFirstId + 3 * kIdsPerGroup + 1), ui::Button(kFirstId + 3 * kIdsPerGroup + 2, "Load"),
           ui::Button(kFirstId + 3 * kIdsPerGroup + 3, "Save")},
      }} {
  std::vector<ui::LayoutNode> columns;
  for (int part = 0; part < kGroupCount; ++part) {
    Group& g = groupOf(part);
    g.load.onClicked = [this, part] { Load(part); };
    g.save.onClicked = [this, part] { Save(part); };
    columns.push_back(ui::Group(g.box, {ui::Item(g.list), ui::Row({ui::Item(g.load), ui::Item(g.save)})}));
  }
  SetLayout(ui::Row(std::move(columns)));
}

SystemMemoryPage::Group& SystemMemoryPage::groupOf(int part) {
  return groups_[part >= 0 && part < kGroupCount ? static_cast<std::size_t>(part) : 0];
}

ui::ListBox& SystemMemoryPage::list(int part) { return groupOf(part).list; }
ui::Button& SystemMemoryPage::loadButton(int part) { return groupOf(part).load; }
ui::Button& SystemMemoryPage::saveButton(int part) { return groupOf(part).save; }

void SystemMemoryPage::InitControls() {
  for (Group& g : groups_) {
    g.list.resetContent();
    for (int memory = files::kFirstMemory; memory <= files::kLastMemory; ++memory) {
      g.list.addString(files::MemoryLabel(memory), memory);
    }
    g.list.setCurSel(0);
  }
}

void SystemMemoryPage::ShowWindow() {
  if (!hasWindow()) OnInitDialog();
  shown_ = true;
  if (onShowWindow) onShowWindow();
}

bool SystemMemoryPage::transferRunning() const {
  return link().isTransferDialogOpen() || linkMode() == comm::LinkMode::Upload || linkMode() == comm::LinkMode::Download;
}

void SystemMemoryPage::run(int part, bool load) {
  if (part < 0 || part >= kGroupCount || transferRunning()) return;
  const ui::ListBox& memories = groupOf(part).list;
  const auto memory = static_cast<int>(memories.itemData(memories.curSel()));
  if (memory < files::kFirstMemory || memory > files::kLastMemory) return;
  if (isRealTime()) {
    sendToReceiver(part, memory, load);
  } else if (!load || !confirmLoad || confirmLoad()) {
    copyImages(part, memory, load);
  }
}

void SystemMemoryPage::sendToReceiver(int part, int memory, bool load) {
  const std::string command = comm::MemoryOperationCommand(memory, part, load);
  if (command.empty()) return;
  {
    ui::WaitCursor wait(ui());
    // Without a connection the link takes nothing, and nothing was loaded to ask about.
    if (link().SendPacket(command, comm::MemoryCommandNumber(part, load)) == 0) return;
    SendBatchStart();
  }
  if (load && part == comm::kMemorySystem && ui::AskYesNo(ui(), ui::msg::kSystemMemoryLoaded) &&
      host() != nullptr) {
    host()->ReloadConfiguration();
  }
}

void SystemMemoryPage::copyImages(int part, int memory, bool load) {
  model::ParameterImage* memoryImage = link().image(memory);
  if (memoryImage == nullptr) return;
  model::ParameterImage& current = pageImage();
  const files::MemoryCategory category = files::kMemoryCategories[static_cast<std::size_t>(part)];
  if (load) {
    memoryGroups_.Copy(category, *memoryImage, current);
  } else {
    memoryGroups_.Copy(category, current, *memoryImage);
  }
  if (host() != nullptr) host()->RefreshAllPages();
}

}  // namespace tw::pages
