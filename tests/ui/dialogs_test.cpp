#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/startup_dialogs.h"
#include "ui/dialogs/user_memo_dlg.h"
#include "ui/view_harness.h"

#include <gtest/gtest.h>

namespace tw::ui::test {
namespace {

TEST(StartModeDialog, EachButtonEndsWithItsIdAndEscCancels) {
  RecordingDialogHost host;
  for (const auto& [press, expected] : std::vector<std::pair<int, int>>{{1244, 1244}, {1245, 1245}, {1246, 2}, {0, 2}}) {
    StartModeDialog dialog;
    int result = -1;
    dialog.DoModal(host, [&](int r) { result = r; });
    EXPECT_EQ(host.top(), &dialog);
    if (press == 0) {
      dialog.pressEscape();
    } else {
      static_cast<Button*>(dialog.form().find(press))->click();
    }
    EXPECT_EQ(result, expected);
    EXPECT_TRUE(host.open.empty());
  }
  StartModeDialog dialog;
  EXPECT_EQ(dialog.caption(), "Start Mode");
  EXPECT_TRUE(dialog.form().consumesArrowKeys());
  EXPECT_FALSE(dialog.hasSystemMenu());
}

TEST(StartupDialogs, CancelledStartModeEndsTheStartWithoutTheRegionQuestion) {
  ScratchFolder folder;
  AppFixture f(folder.path());
  RecordingDialogHost host;
  DialogStartupUi startup(host);
  std::optional<bool> ok;
  f.app.InitInstance({}, startup, [&](bool result) { ok = result; });
  ASSERT_EQ(host.top(), &startup.startMode());
  EXPECT_FALSE(ok);
  startup.startMode().cancelButton().click();
  EXPECT_EQ(ok, false);
  EXPECT_EQ(startup.tunerRegion(), nullptr);
}

TEST(StartupDialogs, AsyncAsksTheRegionWhichOkStoresAndEscKeeps) {
  for (bool pressOk : {true, false}) {
    ScratchFolder folder;
    AppFixture f(folder.path());
    RecordingDialogHost host;
    DialogStartupUi startup(host);
    std::optional<bool> ok;
    f.app.InitInstance({}, startup, [&](bool result) { ok = result; });
    startup.startMode().asyncButton().click();
    ASSERT_NE(startup.tunerRegion(), nullptr);
    TunerRegionDialog& region = *startup.tunerRegion();
    EXPECT_EQ(host.top(), &region);
    EXPECT_EQ(region.caption(), "Tuner Region");
    EXPECT_EQ(region.regions().selected(), 1);  // the link's region at start-up
    EXPECT_EQ(region.regions().buttonText(1), "AM10 / FM200  (USA, Canada)");
    region.regions().click(2);
    if (pressOk) region.okButton().click();
    else region.pressEscape();
    EXPECT_EQ(ok, true);
    EXPECT_EQ(f.app.link().tunerRegion(), pressOk ? 2 : 1);
  }
}

TEST(UserMemoDialog, HoldsAtMost1024CharactersAndOnlyOkStoresTheEdit) {
  RecordingDialogHost host;
  UserMemoDialog dialog("old memo");
  dialog.DoModal(host);
  EXPECT_EQ(dialog.memoEdit().text(), "old memo");
  dialog.memoEdit().type(std::string(1100, 'm'));
  EXPECT_EQ(dialog.memoEdit().text().size(), 1024u);
  dialog.cancelButton().click();
  EXPECT_EQ(dialog.result(), kIdCancel);
  EXPECT_EQ(dialog.memo(), "old memo");

  dialog.DoModal(host);
  dialog.memoEdit().type("line 1\r\nline 2");
  dialog.okButton().click();
  EXPECT_EQ(dialog.result(), kIdOk);
  EXPECT_EQ(dialog.memo(), "line 1\r\nline 2");
}

TEST(UserMemoDialog, KeepsTextInAnyScriptAndCountsItsLimitInCharacters) {
  RecordingDialogHost host;
  UserMemoDialog dialog("");
  dialog.DoModal(host);
  const std::string typed = "Wohnzimmer \xE2\x80\x93 \xE5\xAE\xA2\xE5\x8E\x85";
  dialog.memoEdit().type(typed);
  EXPECT_EQ(dialog.memoEdit().text(), typed);
  std::string many;
  for (int i = 0; i < 1100; ++i) many += "\xC3\xBC";
  dialog.memoEdit().type(many);
  EXPECT_EQ(dialog.memoEdit().text(), many.substr(0, 2 * 1024));
  dialog.memoEdit().type(typed);
  dialog.okButton().click();
  EXPECT_EQ(dialog.memo(), typed);
}

TEST(ReportDialog, ShowsTheReportBuiltWhenItOpens) {
  RecordingDialogHost host;
  int builds = 0;
  ReportDialog dialog([&] { return "Report " + std::to_string(++builds); });
  dialog.DoModal(host);
  EXPECT_EQ(dialog.reportEdit().text(), "Report 1");
  EXPECT_TRUE(dialog.reportEdit().isReadOnly());
  EXPECT_TRUE(dialog.reportEdit().isPreformatted());  // ruled lines and columns stand as built
  EXPECT_FALSE(dialog.reportEdit().type("edited"));
  dialog.closeButton().click();
  dialog.DoModal(host);
  EXPECT_EQ(dialog.reportEdit().text(), "Report 2");
}

TEST(AboutDialog, NamesTheProgramAndVersion) {
  RecordingDialogHost host;
  AboutDialog dialog;
  dialog.DoModal(host);
  EXPECT_EQ(dialog.caption(), "About Tunewright");
  bool found = false;
  for (Control* control : dialog.form().controls()) found |= control->text() == "Tunewright for N4400 Version 1.02";
  EXPECT_TRUE(found);
  dialog.okButton().click();
  EXPECT_TRUE(host.open.empty());

  // Told where the logs go, it says so.
  AboutDialog withLogs("/home/ann/.local/state/tunewright");
  bool told = false;
  for (Control* control : withLogs.form().controls()) {
    told |= control->isVisible() && control->text() == "Communication logs: /home/ann/.local/state/tunewright";
  }
  EXPECT_TRUE(told);
}

TEST(CommandDialog, ASingleRealTimeEditOpensItAsAnInvisibleBlocker) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.connected());
  f.link().SendPacket(comm::test::Ext("200801200005"), 395);
  f.link().SendPacket("", comm::kNoParameter);
  CommandSendingDialog* dialog = f.view->commandDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption(), "Comannd Sending");
  EXPECT_FALSE(dialog->withProgress());
  EXPECT_EQ(dialog->placement(), DialogPlacement::HiddenCorner);
  EXPECT_TRUE(f.view->isLinkBusy());
  EXPECT_FALSE(f.scheduler().isTimerActive(comm::kKeepAliveTimer));
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  EXPECT_EQ(f.lists.back(), 0);
  EXPECT_EQ(f.view->commandDialog(), nullptr);
  EXPECT_TRUE(f.app.port.isOpen());  // Real Time Mode keeps the connection
  EXPECT_TRUE(f.scheduler().isTimerActive(comm::kKeepAliveTimer));
  EXPECT_GE(f.sheet.focusRestores, 1);
}

}  // namespace
}  // namespace tw::ui::test
