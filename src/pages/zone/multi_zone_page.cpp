#include "pages/zone/multi_zone_page.h"

#include "settings/zone/multi_zone_settings.h"
#include "settings/zone/zone_values.h"

namespace tw::pages {

namespace zone = settings::zone;
namespace {

using settings::multi_zone::kZones;

constexpr int kFirstControlId = 1500;
constexpr int kIdsPerZone = 20;

}  // namespace

MultiZonePage::MultiZonePage(const PageContext& context)
    : ItemPage(context, settings::MultiZoneSettings()),
      boxes_{ui::GroupBox(kFirstControlId, "Zone2"), ui::GroupBox(kFirstControlId + kIdsPerZone, "Zone3")} {
  std::vector<ui::LayoutNode> groups;
  for (int zone = 0; zone < 2; ++zone) {
    const settings::multi_zone::Zone& items = kZones[static_cast<std::size_t>(zone)];
    const int id = kFirstControlId + kIdsPerZone * zone;
    ui::ListCombo& input = MakeList(items.input, id + 1);
    ui::ListCombo& amplifier = MakeList(items.amplifier, id + 2);
    ui::ListCombo& volumeOut = MakeList(items.volumeOut, id + 3);
    ui::LevelSlider& volume = MakeSlider(items.volume, id + 4, id + 5);
    ui::CheckBox& mute = MakeCheck(items.mute, id + 6, "Mute");
    ui::StepSlider& balance = MakeStepSlider(items.balance, id + 7, id + 8);
    groups.push_back(ui::Group(boxes_[static_cast<std::size_t>(zone)],
                               {ui::Item("Input", input), ui::Item("Amplifier", amplifier),
                                ui::Item("Volume Out", volumeOut),
                                ui::Row({ui::Column({ui::Item("Volume", volume), ui::Item(label(items.volume))}),
                                         ui::Item(mute)}),
                                ui::Item("Balance", balance), ui::Item(label(items.balance))}));
  }
  SetLayout(ui::Row(std::move(groups)));
}

void MultiZonePage::applyVolumeOutRule(int zone) {
  const settings::multi_zone::Zone& items = kZones[static_cast<std::size_t>(zone)];
  const bool external = Value(items.amplifier) == zone::kExternal;
  // A zone the receiver lacks keeps what it holds.
  if (!external && !isRealTime() && IsItemAvailable(items.volumeOut)) {
    Store(items.volumeOut, 0);  // VAR
    ShowItem(items.volumeOut);
  }
  SetItemEnabled(items.volumeOut, external);
}

void MultiZonePage::UpdateControlStates() {
  for (int zone = 0; zone < 2; ++zone) applyVolumeOutRule(zone);
}

bool MultiZonePage::AcceptChoice(int number, std::int32_t value, std::int32_t /*previous*/) {
  return settings().Accepts(pageImage(), number, -1, value);
}

void MultiZonePage::OnStored(int number) {
  for (int zone = 0; zone < 2; ++zone) {
    if (kZones[static_cast<std::size_t>(zone)].amplifier == number) applyVolumeOutRule(zone);
  }
}

}  // namespace tw::pages
