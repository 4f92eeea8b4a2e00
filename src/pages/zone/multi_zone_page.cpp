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

MultiZonePage::ZoneControls::ZoneControls(int firstId, std::string caption)
    : box(firstId, std::move(caption)),
      input(firstId + 1),
      amplifier(firstId + 2),
      volumeOut(firstId + 3),
      volume(firstId + 4),
      volumeLabel(firstId + 5),
      mute(firstId + 6, "Mute"),
      balance(firstId + 7),
      balanceLabel(firstId + 8) {}

MultiZonePage::MultiZonePage(const PageContext& context)
    : ItemPage(context, settings::MultiZoneSettings()),
      zones_{ZoneControls(kFirstControlId, "Zone2"), ZoneControls(kFirstControlId + kIdsPerZone, "Zone3")} {
  std::vector<ui::LayoutNode> groups;
  for (int zone = 0; zone < 2; ++zone) {
    const settings::multi_zone::Zone& items = kZones[static_cast<std::size_t>(zone)];
    ZoneControls& c = controls(zone);
    Bind(settings().Choice(items.input), c.input);
    Bind(settings().Choice(items.amplifier), c.amplifier);
    Bind(settings().Choice(items.volumeOut), c.volumeOut);
    Bind(settings().Level(items.volume), c.volume, &c.volumeLabel);
    Bind(settings().Choice(items.mute), c.mute);
    Bind(settings().Level(items.balance), c.balance, &c.balanceLabel);
    groups.push_back(ui::Group(c.box, {ui::Item("Input", c.input), ui::Item("Amplifier", c.amplifier),
                                       ui::Item("Volume Out", c.volumeOut),
                                       ui::Row({ui::Column({ui::Item("Volume", c.volume), ui::Item(c.volumeLabel)}),
                                                ui::Item(c.mute)}),
                                       ui::Item("Balance", c.balance), ui::Item(c.balanceLabel)}));
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
