#include "app/app_settings.h"
#include "ui/view_harness.h"

#include <gtest/gtest.h>

namespace tw::ui::test {
namespace {

std::vector<std::string> Texts(const ListCombo& list) {
  std::vector<std::string> out;
  for (const auto& item : list.items()) out.push_back(item.text);
  return out;
}

using Strings = std::vector<std::string>;

TEST(MainViewPorts, FirstStartWithPortsSelectsAutoAndListsTheVirtualReceiverLast) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0", "/dev/ttyUSB0"});
  EXPECT_EQ(Texts(f.view->portList()), (Strings{"Auto", "ttyS0", "ttyUSB0", "Virtual TQ-N4400"}));
  EXPECT_EQ(f.view->entryDevices(), (Strings{"", "/dev/ttyS0", "/dev/ttyUSB0", "emulator"}));
  EXPECT_EQ(f.view->portList().curSel(), 0);
  EXPECT_EQ(f.sheet.activeIndex(), 0);
}

TEST(MainViewPorts, WithoutSerialPortsTheVirtualReceiverIsTheOnlyEntryAndConnects) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  EXPECT_EQ(Texts(f.view->portList()), (Strings{"Virtual TQ-N4400"}));
  EXPECT_EQ(f.view->portList().curSel(), 0);
  f.view->openButton().click();
  ASSERT_TRUE(f.connected());
  EXPECT_EQ(f.app.port.opened, (Strings{"emulator"}));
}

TEST(MainViewPorts, StoredPortIsMatchedAsAPrefixFromTheSecondEntry) {
  ScratchFolder folder;
  const std::string settings = "[DispSet]\r\nPort=COM1\r\n";
  {
    ViewFixture f(folder.path(), app::kStartModeRealTime, {"COM1", "\\\\.\\COM10"}, settings);
    EXPECT_EQ(Texts(f.view->portList()), (Strings{"Auto", "COM1", "COM10", "Virtual TQ-N4400"}));
    EXPECT_EQ(f.view->portList().selectedText(), "COM1");
  }
  {
    ViewFixture f(folder.path(), app::kStartModeRealTime, {"\\\\.\\COM10"}, settings);
    EXPECT_EQ(f.view->portList().selectedText(), "COM10");
  }
  {
    ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS3"}, "[DispSet]\r\nPort=ttyS9\r\n");
    EXPECT_EQ(f.view->portList().selectedText(), "Auto");
  }
}

TEST(MainViewPorts, StoredVirtualReceiverIsSelectedAgain) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0"}, "[DispSet]\r\nPort=Virtual TQ-N4400\r\n");
  EXPECT_EQ(f.view->portList().curSel(), 2);
}

TEST(MainViewPorts, WithNoPortAtAllOpenTriesAnEmptyNameAndReportsThePortError) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  MainView plain(f.app.app, f.ui, f.dialogs, MainView::Options{""});
  plain.OnInitialUpdate();
  EXPECT_EQ(plain.portList().count(), 0);
  plain.openButton().click();
  f.scheduler().runPending();
  EXPECT_EQ(f.messageIds(), (std::vector<int>{202}));
  EXPECT_TRUE(f.app.port.opened.empty());
  EXPECT_EQ(plain.initializeDialog(), nullptr);
  EXPECT_EQ(plain.statusText().text(), "Not Connected");
}

TEST(MainViewPorts, FixedPortIsTriedFiveTimesThenMessage201Once) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0", "/dev/ttyS1"},
                "[DispSet]\r\nPort=ttyS1\r\n");
  f.app.receiver.silent = true;
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.connects.empty(); }));
  EXPECT_FALSE(f.connects.back());
  EXPECT_EQ(f.app.port.opened, (Strings(5, "/dev/ttyS1")));
  EXPECT_EQ(f.messageIds(), (std::vector<int>{201}));
  // Five attempts 5 s apart, each after its opening frames and their pauses.
  EXPECT_GE(f.scheduler().now(), 25000);
  EXPECT_LT(f.scheduler().now(), 27000);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.view->statusText().text(), "Not Connected");
  EXPECT_TRUE(f.view->openButton().isEnabled());
}

TEST(MainViewPorts, AutoGivesEachSerialPortThreeAttemptsAndSkipsTheVirtualReceiver) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"});
  f.app.receiver.silent = true;
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.connects.empty(); }));
  EXPECT_FALSE(f.connects.back());
  const Strings expected{"/dev/ttyS0",   "/dev/ttyS0",   "/dev/ttyS0",   "/dev/ttyS1",  "/dev/ttyS1",
                         "/dev/ttyS1",   "/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyUSB0"};
  EXPECT_EQ(f.app.port.opened, expected);
  EXPECT_EQ(f.messageIds(), (std::vector<int>{201}));
}

TEST(MainViewPorts, StoreSettingsKeepsPortTextAndActivePageCaption) {
  ScratchFolder folder;
  {
    ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0"});
    f.view->portList().select(1);
    f.sheet.setActive(3);
    f.view->OnDestroy();
    f.app.app.ExitInstance();
  }
  EXPECT_EQ(ReadFile(folder.path() / "tunewright.ini"),
            "[DispSet]\r\nPort=ttyS0\r\nActivePage=Speaker Set\r\nConfirmDownload=\r\n");
  ViewFixture again(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0"});
  EXPECT_EQ(again.view->portList().selectedText(), "ttyS0");
  EXPECT_EQ(again.sheet.activeIndex(), 3);
}

TEST(MainViewPorts, StoredPageAbsentInThisModeLeavesTheFirstPageActive) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {}, "[DispSet]\r\nActivePage=Input DSP\r\n");
  EXPECT_EQ(f.sheet.activeIndex(), 0);
}

}  // namespace
}  // namespace tw::ui::test

namespace tw::ui::test {
namespace {

TEST(MainViewPorts, TheVirtualReceiverInUseIsSaidInTheTitleTheStatusLineAndTheTransferDialog) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0"}, "[DispSet]\r\nPort=Virtual TQ-N4400\r\n");
  ASSERT_TRUE(f.view->virtualReceiverSelected());
  EXPECT_EQ(f.view->windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");

  f.view->openButton().click();
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.view->initializeDialog()->targetNote(), kVirtualReceiverNote);
  ASSERT_TRUE(f.connected());
  EXPECT_EQ(f.view->statusText().text(), "Connected TQ-N4400 (virtual receiver)");
  f.view->closeButton().click();

  // The user picks the serial port: no mark anywhere, and the dialog says nothing of it.
  int told = 0;
  f.view->onPortChosen = [&] { ++told; };
  ASSERT_TRUE(f.view->portList().select(1));
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(f.view->virtualReceiverSelected());
  EXPECT_EQ(f.view->windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02");
  EXPECT_EQ(f.view->statusText().text(), "Not Connected");
  f.view->openButton().click();
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.view->initializeDialog()->targetNote(), "");
}

TEST(MainViewPorts, WithoutTheVirtualReceiverOfferedNothingIsSelectedWhenNoPortExists) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync);
  MainView plain(f.app.app, f.ui, f.dialogs, MainView::Options{""});
  plain.OnInitialUpdate();
  EXPECT_EQ(plain.portList().curSel(), -1);
  EXPECT_FALSE(plain.virtualReceiverSelected());
  EXPECT_EQ(plain.windowTitle(), "Async Mode - Tunewright for N4400 ver1.02");
}

TEST(MainViewButtons, SystemMemoryIsEnabledOnlyWhenItsWindowExists) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  EXPECT_FALSE(f.view->systemMemoryButton().isEnabled());
  EXPECT_FALSE(f.view->systemMemoryButton().click());

  MainView withWindow(f.app.app, f.ui, f.dialogs);
  int shown = 0;
  withWindow.onShowSystemMemory = [&] { ++shown; };
  withWindow.OnInitialUpdate();
  EXPECT_TRUE(withWindow.systemMemoryButton().isEnabled());
  EXPECT_TRUE(withWindow.systemMemoryButton().click());
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace tw::ui::test
