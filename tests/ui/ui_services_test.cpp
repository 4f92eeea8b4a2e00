#include "support/scripted_ui_services.h"
#include "ui/ui_services.h"

#include <gtest/gtest.h>

using namespace tw::ui;

TEST(Messages, TextsAreTheApplicationsOwnTypographyIncluded) {
  EXPECT_EQ(MessageText(202), "COM port error has occurred.");
  EXPECT_EQ(MessageText(253), "Transmission of a command is interrupted. \nIs it all right?");
  EXPECT_EQ(MessageText(254), "It overwrites. \nIs it all right?");
  EXPECT_NE(MessageText(255).find("Wolud you like to refresh the GUI?\r\n"), std::string_view::npos);
  EXPECT_EQ(MessageText(301), "Connected TQ-N4400");
  EXPECT_EQ(MessageText(204), "");
  EXPECT_EQ(MessageText(-1), "");
}

TEST(Messages, ErrorsShowTheStopIconAndOkUnderTheApplicationTitle) {
  ScriptedUiServices ui;
  ShowError(ui, msg::kComPortError);
  ASSERT_EQ(ui.messages().size(), 1u);
  const auto& shown = ui.messages()[0];
  EXPECT_EQ(shown.text, "COM port error has occurred.");
  EXPECT_EQ(shown.caption, "Tunewright for N4400");
  EXPECT_EQ(shown.icon, MessageIcon::Stop);
  EXPECT_EQ(shown.buttons, MessageButtons::Ok);
  EXPECT_EQ(ui.scriptMismatches(), 0);  // an OK-only box needs no script
}

TEST(Messages, QuestionsTakeScriptedAnswersInOrder) {
  ScriptedUiServices ui;
  ui.answer(MessageResult::Ok);
  ui.answer(MessageResult::Cancel);
  ui.answer(MessageResult::Yes);
  EXPECT_TRUE(AskOkCancel(ui, msg::kOverwrite));
  EXPECT_FALSE(AskOkCancel(ui, msg::kReloadNotice));
  EXPECT_TRUE(AskYesNo(ui, msg::kSystemMemoryLoaded));
  EXPECT_EQ(ui.messages()[0].icon, MessageIcon::Question);
  EXPECT_EQ(ui.messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(ui.messages()[2].buttons, MessageButtons::YesNo);
  EXPECT_EQ(ui.scriptMismatches(), 0);
  EXPECT_EQ(ui.unusedAnswers(), 0u);
}

TEST(Messages, UnscriptedOrImpossibleAnswersCancelAndAreCounted) {
  ScriptedUiServices ui;
  EXPECT_FALSE(AskOkCancel(ui, msg::kOverwrite));
  ui.answer(MessageResult::Ok);  // not a button of a Yes/No box
  EXPECT_FALSE(AskYesNo(ui, msg::kSystemMemoryLoaded));
  EXPECT_EQ(ui.messages()[1].result, MessageResult::No);
  EXPECT_EQ(ui.scriptMismatches(), 2);
}

TEST(Messages, ABoxClosedByItsCaptionWhileOpenReturnsCancel) {
  ScriptedUiServices ui;
  const std::string caption = "Upload Comannd Sending is Cancel";
  bool closed = false;
  ui.answer(MessageResult::Ok, [&] { closed = ui.closeMessageBox(caption); });
  EXPECT_FALSE(AskOkCancel(ui, msg::kInterruptTransmission, caption));
  EXPECT_TRUE(closed);
  EXPECT_TRUE(ui.messages()[0].closedByProgram);
  EXPECT_EQ(ui.messages()[0].caption, caption);
  EXPECT_FALSE(ui.closeMessageBox(caption));  // nothing open any more

  ui.answer(MessageResult::Ok, [&] { closed = ui.closeMessageBox("Initialize is Cancel"); });
  EXPECT_TRUE(AskOkCancel(ui, msg::kInterruptTransmission, caption));  // another caption: untouched
  EXPECT_FALSE(closed);
}

TEST(WaitCursorScope, NestsAndAlwaysRestores) {
  ScriptedUiServices ui;
  {
    WaitCursor outer(ui);
    EXPECT_EQ(ui.waitCursorDepth(), 1);
    {
      WaitCursor inner(ui);
      EXPECT_EQ(ui.waitCursorDepth(), 2);
    }
    EXPECT_EQ(ui.waitCursorDepth(), 1);
  }
  EXPECT_EQ(ui.waitCursorDepth(), 0);
  EXPECT_EQ(ui.waitCursorShows(), 2);
  ui.endWaitCursor();  // an unmatched end does not go below normal
  EXPECT_EQ(ui.waitCursorDepth(), 0);
  ui.beep();
  EXPECT_EQ(ui.beeps(), 1);
}

TEST(FileDialogs, ScriptedPathsAndCancelledDialogs) {
  ScriptedUiServices ui;
  ui.answerFile("/home/installer/client.qcf");
  const FileDialogRequest request{"", "Configuration File (*.qcf)", ".qcf", ""};
  EXPECT_EQ(ui.askOpenFile(request), "/home/installer/client.qcf");
  EXPECT_EQ(ui.askSaveFile(request), std::nullopt);
  ASSERT_EQ(ui.fileDialogs().size(), 2u);
  EXPECT_EQ(ui.fileDialogs()[1].filterName, "Configuration File (*.qcf)");
}
