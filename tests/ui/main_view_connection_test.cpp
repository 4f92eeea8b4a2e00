#include "app/app_settings.h"
#include "model/parameter_access.h"
#include "ui/view_harness.h"

#include <gtest/gtest.h>

namespace tw::ui::test {
namespace {

model::ParameterImage Defaults(int region) {
  model::ParameterImage image;
  model::ResetToDefaults(image, region);
  return image;
}

TEST(MainViewModes, RealTimeFormShowsConnectionButtonsOnly) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  EXPECT_TRUE(f.view->openButton().isVisible());
  EXPECT_TRUE(f.view->closeButton().isVisible());
  EXPECT_TRUE(f.view->reloadButton().isVisible());
  EXPECT_FALSE(f.view->uploadButton().isVisible());
  EXPECT_FALSE(f.view->downloadButton().isVisible());
  EXPECT_FALSE(f.view->closeButton().isEnabled());
  EXPECT_FALSE(f.view->reloadButton().isUsable());
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_EQ(f.view->form().find(view_id::kModeText)->text(), "RealTime");
  EXPECT_EQ(f.view->windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
}

TEST(MainViewModes, AsyncFormShowsTransferButtonsOnly) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync);
  EXPECT_FALSE(f.view->openButton().isVisible());
  EXPECT_FALSE(f.view->reloadButton().isShown());
  EXPECT_TRUE(f.view->uploadButton().isVisible());
  EXPECT_TRUE(f.view->downloadButton().isVisible());
  EXPECT_EQ(f.view->form().find(view_id::kModeText)->text(), "Async");
  EXPECT_EQ(f.view->windowTitle(), "Async Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  // An opened file keeps its own name.
  f.view->setDocumentTitle("setup.qcf");
  f.view->OnInitialUpdate();
  EXPECT_EQ(f.view->windowTitle(), "setup.qcf - Tunewright for N4400 ver1.02 (virtual receiver)");
}

TEST(MainViewRealTime, OpenConnectsThroughTheInitializeDialogAndCloseEnds) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.dialogs.top(), f.view->initializeDialog());
  EXPECT_EQ(f.dialogs.top()->caption(), "Initialize");
  EXPECT_EQ(f.view->initializeDialog()->progress().high(), 508);
  EXPECT_EQ(f.ui.waitCursorDepth(), 1);
  EXPECT_TRUE(f.view->isLinkBusy());

  ASSERT_TRUE(f.connected());
  EXPECT_EQ(f.view->initializeDialog(), nullptr);
  EXPECT_TRUE(f.dialogs.open.empty());
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
  EXPECT_EQ(f.view->statusText().text(), "Connected TQ-N4400 (virtual receiver)");
  EXPECT_FALSE(f.view->openButton().isEnabled());
  EXPECT_FALSE(f.view->portList().isEnabled());
  EXPECT_TRUE(f.view->closeButton().isEnabled());
  EXPECT_TRUE(f.view->reloadButton().isUsable());
  EXPECT_TRUE(f.scheduler().isTimerActive(comm::kKeepAliveTimer));
  EXPECT_GE(f.sheet.availabilityUpdates, 1);

  f.view->closeButton().click();
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_TRUE(f.view->openButton().isEnabled());
  EXPECT_FALSE(f.scheduler().isTimerActive(comm::kKeepAliveTimer));
  EXPECT_TRUE(f.ui.messages().empty());
}

TEST(MainViewRealTime, ReloadAsksFirstAndReconnectsOnOk) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.connected());

  f.ui.answer(MessageResult::Cancel);
  f.view->reloadButton().click();
  EXPECT_TRUE(f.app.port.isOpen());
  EXPECT_EQ(f.app.port.opened.size(), 1u);

  f.ui.answer(MessageResult::Ok);
  f.view->reloadButton().click();
  ASSERT_EQ(f.ui.messages().size(), 2u);
  EXPECT_EQ(f.ui.messages()[1].text, "Application will start reloading the configuration.");
  EXPECT_EQ(f.ui.messages()[1].caption, "Tunewright for N4400");
  EXPECT_EQ(f.ui.messages()[1].icon, MessageIcon::Question);
  ASSERT_TRUE(f.runUntil([&] { return f.connects.size() == 2; }));
  EXPECT_TRUE(f.connects.back());
  EXPECT_EQ(f.app.port.opened.size(), 2u);
  EXPECT_EQ(f.ui.scriptMismatches(), 0);
}

TEST(MainViewRealTime, CancelDuringStartupReadAnsweredOkEndsNotConnectedWithFactoryDefaults) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.link().linkState() == comm::LinkState::StartupRead && f.link().startCursor() > 10; }));
  const int refreshesBefore = f.sheet.refreshAll;

  f.ui.answer(MessageResult::Ok);
  f.view->initializeDialog()->cancelButton().click();
  ASSERT_EQ(f.ui.messages().size(), 1u);
  EXPECT_EQ(f.ui.messages()[0].text, "Initialization is stopped.\nIs it all right?");
  EXPECT_EQ(f.ui.messages()[0].caption, "Initialize is Cancel");
  EXPECT_EQ(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.link().images().All()[0], Defaults(f.link().tunerRegion()));
  EXPECT_GT(f.sheet.refreshAll, refreshesBefore);
  ASSERT_EQ(f.connects.size(), 1u);
  EXPECT_FALSE(f.connects.back());
}

TEST(MainViewRealTime, CancelQuestionAnsweredCancelLetsTheReadGoOn) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.link().linkState() == comm::LinkState::StartupRead; }));
  f.ui.answer(MessageResult::Cancel);
  f.view->initializeDialog()->cancelButton().click();
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  ASSERT_TRUE(f.connected());
  EXPECT_EQ(f.ui.messages().size(), 1u);
}

TEST(MainViewRealTime, AttemptEndingWhileTheCancelQuestionIsOpenClosesTheQuestion) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.link().linkState() == comm::LinkState::StartupRead; }));
  f.ui.answer(MessageResult::Ok, [&] { f.runUntil([&] { return !f.connects.empty(); }); });
  f.view->initializeDialog()->cancelButton().click();
  ASSERT_EQ(f.ui.messages().size(), 1u);
  EXPECT_TRUE(f.ui.messages()[0].closedByProgram);
  EXPECT_EQ(f.connects, (std::vector<bool>{true}));
  EXPECT_EQ(f.view->statusText().text(), "Connected TQ-N4400 (virtual receiver)");
}

TEST(MainViewRealTime, EscInTheInitializeDialogFailsAtOnceWithoutAQuestion) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.link().linkState() == comm::LinkState::StartupRead && f.link().startCursor() > 10; }));
  f.view->initializeDialog()->pressEscape();
  EXPECT_TRUE(f.ui.messages().empty());
  EXPECT_EQ(f.view->initializeDialog(), nullptr);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_EQ(f.connects, (std::vector<bool>{false}));
  EXPECT_EQ(f.link().images().All()[0], Defaults(f.link().tunerRegion()));
  // Nothing keeps running: no retry, no keep-alive.
  f.scheduler().advance(60000);
  EXPECT_EQ(f.app.port.opened.size(), 1u);
}

TEST(MainViewRealTime, StartupReadTimeoutShows201AndClosesWithDefaults) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.app.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (const auto row = f.app.receiver.rowOf(frame); row && *row > 20) return std::string();
    return std::nullopt;
  };
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.connects.empty(); }));
  EXPECT_FALSE(f.connects.back());
  EXPECT_EQ(f.messageIds(), (std::vector<int>{201}));
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.link().images().All()[0], Defaults(f.link().tunerRegion()));
}

TEST(MainViewRealTime, UnansweredKeepAliveCloses203) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime);
  f.view->openButton().click();
  ASSERT_TRUE(f.connected());
  f.app.receiver.silent = true;
  ASSERT_TRUE(f.runUntil([&] { return !f.ui.messages().empty(); }, 60000));
  EXPECT_EQ(f.messageIds(), (std::vector<int>{203}));
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.view->statusText().text(), "Not Connected (virtual receiver)");
}

}  // namespace
}  // namespace tw::ui::test
