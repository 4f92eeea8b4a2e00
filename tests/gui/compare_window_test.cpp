// File > Compare with Receiver... as a user runs it in Real Time Mode on the virtual
// receiver: the differences listed, one unchecked, Apply, and only the checked ones sent.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QApplication>
#include <QMenu>
#include <QTreeWidget>

#include "emu/emulator_options.h"
#include "files/profile.h"
#include "gui/main_window.h"
#include "gui/page_navigator.h"
#include "gui_test_support.h"
#include "program_fixture.h"
#include "settings/offline_configuration.h"

namespace tw::gui::test {
namespace {

// Speaker Level FL 1.5dB, Volume Trim CD 2.0dB, Speaker Set Center None: as from the
// receiver's front panel before the program connects.
emu::EmulatorConfig ChangedReceiver() {
  emu::EmulatorConfig config;
  EXPECT_FALSE(emu::ApplyEmulatorOptions(
      config, {"preset=<STX>2412b<ETX>,<DC4>20080121011050<ETX>,<STX>27002<ETX>"}));
  return config;
}

TEST(CompareWindow, ListsTheDifferencesAndAppliesOnlyTheCheckedOnes) {
  Program program(app::kStartModeRealTime, 1, {}, ChangedReceiver());
  const QString path = program.folder.filePath("factory.qcf");
  const settings::OfflineConfiguration factory(1);
  ASSERT_TRUE(factory.Save().Save(path.toStdString()));
  program.bench.view().Open();
  ASSERT_TRUE(program.runUntil([&] { return program.bench.view().initializeDialog() == nullptr; }));
  program.scheduler.advance(2000);
  program.receiver().transcript().clear();

  WhenModal([path](QWidget& modal) {
    auto* files = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(files, nullptr);
    files->findChild<QLineEdit*>("fileNameEdit")->setText(path);
    QMetaObject::invokeMethod(files, "accept");
  });
  QAction* command = nullptr;
  for (QMenu* menu : program.window->menus()) {
    for (QAction* action : menu->actions()) {
      if (action->text() == "&Compare with Receiver...") command = action;
    }
  }
  ASSERT_NE(command, nullptr);
  command->trigger();
  Flush();
  ASSERT_NE(program.window->comparison().dialog(), nullptr);
  QWidget* compare = QApplication::activeModalWidget();
  ASSERT_NE(compare, nullptr);
  auto* list = compare->findChild<QTreeWidget*>();
  ASSERT_NE(list, nullptr);
  QStringList rows;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    rows << item->text(0) + " " + item->text(1) + ": " + item->text(2) + " / " + item->text(3);
  }
  // The three changes, and the night parameter the receiver reports as Min while night mode
  // is off (the factory file holds Mid).
  ASSERT_EQ(rows, (QStringList{"Basic Control Night Mode Parameter: Min / Mid", "Speaker Level FL: 1.5dB / 0.0dB",
                               "Volume Trim CD: 2.0dB / 0.0dB", "Speaker Set Center: None / Small"}));
  // The night parameter and Speaker Set Center stay as the receiver has them.
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    EXPECT_EQ(item->checkState(0), Qt::Checked);
    if (row == 0 || row == 3) item->setCheckState(0, Qt::Unchecked);
  }
  EXPECT_EQ(program.window->comparison().dialog()->chosen().size(), 2u);

  QString summary;
  ASSERT_TRUE(ClickButton(*compare, "Apply"));
  // The summary comes once the receiver has answered every write.
  TakeNextMessage(summary);
  ASSERT_TRUE(program.runUntil([&] { return !summary.isEmpty(); }));
  // The page list still marks the page whose difference stayed, and no other.
  QStringList marked;
  std::function<void(QTreeWidgetItem*)> collect = [&](QTreeWidgetItem* item) {
    if (item->text(0).endsWith(QChar(0x2260))) marked << item->text(0);
    for (int child = 0; child < item->childCount(); ++child) collect(item->child(child));
  };
  for (int top = 0; top < program.window->navigator().pageTree().topLevelItemCount(); ++top) {
    collect(program.window->navigator().pageTree().topLevelItem(top));
  }
  EXPECT_EQ(marked, QStringList{"Speaker Set  \u2260"});
  EXPECT_EQ(summary.toStdString(), "Applied 2 of 2 settings.");
  // The two checked settings went out, each as its page sends it; nothing else was written.
  EXPECT_EQ(program.receiver().transcript().receivedFrames(),
            (std::vector<std::string>{"\x02" "24128\x03", "\x14" "20080121010c82\x03"}));
}

}  // namespace
}  // namespace tw::gui::test
