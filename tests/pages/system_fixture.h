#pragma once

// What the System page tests share: a link whose link mode and send result a test sets,
// a main window that records what pages ask of it, and a stand-in for the zone volumes
// until the Multi Zone page exists.

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "pages/fake_page_link.h"
#include "pages/item_page.h"
#include "pages/page_host.h"
#include "pages/page_registry.h"

namespace tw::test {

// A FakePageLink whose link mode is the test's (idle, connected, transferring) and whose
// SendPacket can refuse, as the link does without a connection.
class ModeLink final : public ui::PageLink {
 public:
  explicit ModeLink(comm::WorkingMode mode) : fake(mode), linkModeValue(fake.linkMode()) {}

  comm::WorkingMode workingMode() const override { return fake.workingMode(); }
  bool isTransferDialogOpen() const override { return fake.isTransferDialogOpen(); }
  int SendPacket(std::string_view text, int number) override {
    if (sendResult == 0) return 0;
    fake.SendPacket(text, number);
    return sendResult;
  }
  model::ParameterImage* image(int index) override { return fake.image(index); }
  const model::Capabilities& capabilities() const override { return fake.caps; }
  int tunerRegion() const override { return fake.region; }
  comm::LinkMode linkMode() const override { return linkModeValue; }

  FakePageLink fake;
  comm::LinkMode linkModeValue;
  int sendResult = 1;
};

// The main window as a page sees it, counting what it is asked.
class RecordingHost final : public pages::PageHost {
 public:
  void RefreshProgramDisplay() override { ++programRefreshes; }
  void RefreshAllPages() override { ++pageRefreshes; }
  void ReloadConfiguration() override { ++reloads; }
  ui::DialogHost& dialogs() override { throw std::logic_error("no dialogs in this test"); }

  int programRefreshes = 0;
  int pageRefreshes = 0;
  int reloads = 0;
};

// Zone 2 and Zone 3 volume (18, 23) as the receiver takes them: system command "231" or
// "234" with (dB * 10 + 995) / 5 as two upper-case hex digits, "00" muted.
namespace zone_volume {
inline std::string Data(std::int32_t value) {
  return value == -805 ? std::string("00") : pages::Hex(value / 5 + 199, 2, pages::HexCase::Upper);
}
inline constexpr pages::LevelItem kZone2{.number = 18, .key = "Zone2 Volume", .min = -805, .max = 160, .step = 5,
                                         .address = "231", .encode = Data, .format = pages::VolumeText};
inline constexpr pages::LevelItem kZone3{.number = 23, .key = "Zone3 Volume", .min = -805, .max = 160, .step = 5,
                                         .address = "234", .encode = Data, .format = pages::VolumeText};
}  // namespace zone_volume

class ZoneVolumeStandIn final : public pages::ItemPage {
 public:
  explicit ZoneVolumeStandIn(const pages::PageContext& context) : ItemPage(context, "Multi Zone", 133) {
    Add(zone_volume::kZone2);
    Add(zone_volume::kZone3);
  }
};

// The registered pages, with the stand-in where no Multi Zone page is registered yet. One
// table for the whole run: a sheet keeps pointers into the descriptors it was built from.
inline const std::array<pages::PageDescriptor, 19>& PagesWithZoneVolumes() {
  static const std::array<pages::PageDescriptor, 19> table = [] {
    std::array<pages::PageDescriptor, 19> pages{};
    std::copy_n(pages::SheetPageDescriptors().begin(), pages.size(), pages.begin());
    for (pages::PageDescriptor& page : pages) {
      if (page.caption == "Multi Zone" && page.create == nullptr) page.create = pages::MakePage<ZoneVolumeStandIn>;
    }
    return pages;
  }();
  return table;
}

}  // namespace tw::test
