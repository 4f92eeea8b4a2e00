// The Qt message boxes, cursor and file dialogs behind the application's UiServices.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "gui/qt_ui_services.h"
#include "gui_test_support.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Records the box that opens, then presses `press` (or closes it with Esc when NoButton).
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
  WhenModal([&seen, press](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    if (press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(press)->click();
    }
  });
}

}  // namespace

TEST(QtMessageBoxes, ErrorBoxHasTheStopIconOkOnlyAndTheApplicationTitle) {
  QtUiServices ui;
  SeenBox seen;
  AnswerNextBox(seen, QMessageBox::Ok);
  ui::ShowError(ui, ui::msg::kComPortError);
  EXPECT_EQ(seen.title, "Tunewright for N4400");
  EXPECT_EQ(seen.text, "COM port error has occurred.");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtMessageBoxes, QuestionsAnswerWithTheButtonPressedAndEscapeMeansCancelOrNo) {
  QtUiServices ui;
  SeenBox seen;
  AnswerNextBox(seen, QMessageBox::Ok);
  EXPECT_TRUE(ui::AskOkCancel(ui, ui::msg::kOverwrite));
  EXPECT_EQ(seen.text, "It overwrites. \nIs it all right?");
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);

  AnswerNextBox(seen, QMessageBox::NoButton);
  EXPECT_FALSE(ui::AskOkCancel(ui, ui::msg::kOverwrite));

  AnswerNextBox(seen, QMessageBox::Yes);
  EXPECT_TRUE(ui::AskYesNo(ui, ui::msg::kSystemMemoryLoaded));
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_FALSE(seen.text.contains(QLatin1Char('\r')));  // Windows line ends shown as line breaks
  EXPECT_TRUE(seen.text.startsWith("\"System Memory Load\" was selected.\nGUI does not reflect"));

  AnswerNextBox(seen, QMessageBox::NoButton);
  EXPECT_FALSE(ui::AskYesNo(ui, ui::msg::kSystemMemoryLoaded));
}

TEST(QtMessageBoxes, AnOpenQuestionIsClosedByItsCaptionAsIfCancelled) {
  QtUiServices ui;
  bool closed = false;
  bool wrongCaptionClosed = true;
  WhenModal([&](QWidget&) {
    wrongCaptionClosed = ui.closeMessageBox("Initialize is Cancel");
    closed = ui.closeMessageBox("Comannd Sending is Cancel");
  });
  const ui::MessageResult result =
      ui.messageBox(ui::MessageText(ui::msg::kInterruptTransmission), "Comannd Sending is Cancel",
                    ui::MessageIcon::Question, ui::MessageButtons::OkCancel);
  EXPECT_EQ(result, ui::MessageResult::Cancel);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(wrongCaptionClosed);
  EXPECT_FALSE(ui.closeMessageBox("Comannd Sending is Cancel"));  // none open any more
}

TEST(QtWaitCursor, NestsAndAnUnmatchedEndChangesNothing) {
  QtUiServices ui;
  ui.endWaitCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  {
    ui::WaitCursor outer(ui);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    { ui::WaitCursor inner(ui); }
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtFileDialogs, SaveAsOffersTheConfigurationFilterAndAddsTheExtension) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QtUiServices ui;
  QStringList filters;
  QString title;
  WhenModal([&](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    title = dialog->windowTitle();
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("living room");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto chosen = ui.askSaveFile({"", "Configuration File (*.qcf)", ".qcf", folder.path().toStdString()});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, QDir(folder.path()).filePath("living room.qcf").toStdString());
  ASSERT_FALSE(filters.isEmpty());
  EXPECT_EQ(filters.front(), "Configuration File (*.qcf)");
  EXPECT_EQ(title, "Save As");
}

TEST(QtFileDialogs, CancelledOpenGivesNothing) {
  QtUiServices ui;
  WhenModal([](QWidget& modal) { static_cast<QDialog&>(modal).reject(); });
  EXPECT_FALSE(ui.askOpenFile({"", "Configuration File (*.qcf)", ".qcf", ""}).has_value());
}
