// The Tuner Set page's Frequency dialog as the desktop program draws it from its form: a
// list of the region's frequencies in display form, the preset's own frequency selected, and
// a double click that takes a row.
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <optional>

#include "gui/dialog_window.h"
#include "gui/qt_dialog_host.h"
#include "gui_test_support.h"
#include "pages/tuner/frequency_dlg.h"
#include "pages/tuner/tuner_frequencies.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

TEST(FrequencyDialog, ShowsTheBandAndADoubleClickPicksAFrequency) {
  App();
  QtDialogHost host;
  pages::CFrequencyDlg dialog;
  dialog.SetChoices(pages::tuner::FrequencyList(1, pages::tuner::Band::Fm), "098.10");
  std::optional<int> result;
  dialog.DoModal(host, [&](int r) { result = r; });
  DialogWindow* window = host.windowOf(dialog);
  ASSERT_NE(window, nullptr);
  ShowAndWait(*window);
  EXPECT_EQ(window->windowTitle(), "Frequency");
  const auto lists = window->findChildren<QTreeWidget*>();
  ASSERT_EQ(lists.size(), 1);
  QTreeWidget& list = *lists.front();
  ASSERT_EQ(list.topLevelItemCount(), 103);
  EXPECT_EQ(list.topLevelItem(0)->text(0), "FM 87.5MHz");
  EXPECT_EQ(list.currentItem(), list.topLevelItem(53)) << "98.1 MHz, the preset's own";

  QTreeWidgetItem* pick = list.topLevelItem(13);
  list.scrollToItem(pick);
  const QPoint at = list.visualItemRect(pick).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(dialog.chosen(), "090.10");
  EXPECT_EQ(host.windowOf(dialog), nullptr);
  Flush();
}
