// The Tuner Set page's Frequency dialog as the desktop program draws it from its form: the
// page's FM button opens the region's band in display form with the preset's own frequency
// selected, and a double click on a row tunes the preset to it.
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "gui/dialog_window.h"
#include "gui/qt_dialog_host.h"
#include "gui_test_support.h"
#include "model/parameter_access.h"
#include "pages/fake_page_link.h"
#include "pages/page_host.h"
#include "pages/tuner/tuner_set_page.h"
#include "support/scripted_ui_services.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

class QtPageHost final : public pages::PageHost {
 public:
  void RefreshProgramDisplay() override {}
  void RefreshAllPages() override {}
  void ReloadConfiguration() override {}
  ui::DialogHost& dialogs() override { return dialogHost; }

  QtDialogHost dialogHost;
};

}  // namespace

TEST(FrequencyDialog, TheFmButtonOpensTheBandAndADoubleClickTunesThePreset) {
  App();
  tw::test::FakePageLink link;
  ui::ScriptedUiServices services;
  QtPageHost host;
  pages::TunerSetPage page({link, services, 0, &host});
  page.setActive(true);
  page.OnSetActive();
  ASSERT_TRUE(page.picker().pages.select(3));  // PageC
  ASSERT_TRUE(page.picker().view.select(3));   // Preset4, 98.1 MHz

  ASSERT_TRUE(page.fmButton().click());
  DialogWindow* window = host.dialogHost.windowOf(page.frequencyDialog());
  ASSERT_NE(window, nullptr);
  ShowAndWait(*window);
  EXPECT_EQ(window->windowTitle(), "Frequency");
  const auto lists = window->findChildren<QTreeWidget*>();
  ASSERT_EQ(lists.size(), 1);
  QTreeWidget& list = *lists.front();
  ASSERT_EQ(list.topLevelItemCount(), 103);
  EXPECT_EQ(list.topLevelItem(0)->text(0), "FM 87.5MHz");
  EXPECT_EQ(list.currentItem(), list.topLevelItem(53)) << "the preset's own frequency";

  QTreeWidgetItem* pick = list.topLevelItem(13);
  list.scrollToItem(pick);
  const QPoint at = list.visualItemRect(pick).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(host.dialogHost.windowOf(page.frequencyDialog()), nullptr);
  EXPECT_EQ(std::get<std::string>(*model::GetParameter(*link.images.Image(0), 456)), "090.10");
  EXPECT_EQ(link.commands(), std::vector<std::string>{"\x14" "200D0501341090.105C\x03"});
  EXPECT_EQ(page.picker().view.cell(3, 1), "FM 90.1MHz");
  Flush();
}
