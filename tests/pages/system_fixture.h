#pragma once

// What the System page tests share: a link whose link mode and send result a test sets,
// and a main window that records what pages ask of it.

#include <stdexcept>
#include <string>

#include "pages/fake_page_link.h"
#include "pages/page_host.h"

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

}  // namespace tw::test
