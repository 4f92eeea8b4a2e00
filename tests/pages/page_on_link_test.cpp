// Pages on the real link and a fake serial port: what reaches the line.

#include <gtest/gtest.h>

#include "comm/link_harness.h"
#include "pages/sheet.h"
#include "pages/test_page.h"
#include "support/scripted_ui_services.h"
#include "ui/page_link.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using comm::test::LinkFixture;

std::vector<std::string> WritesAfter(const comm::test::FakePort& port, std::size_t first) {
  std::vector<std::string> out;
  for (std::size_t i = first; i < port.writes.size(); ++i) out.push_back(port.writes[i].bytes);
  return out;
}

TEST(PageOnLink, RealTimeSliderDragWritesOneFrameWithTheFinalValue) {
  LinkFixture f(WorkingMode::RealTime);
  ASSERT_TRUE(f.connectRealTime());
  ui::CommPageLink link(f.link);
  ui::ScriptedUiServices ui;
  TestPage page({link, ui});
  page.OnSetActive();

  const std::size_t before = f.port.writes.size();
  for (int value : {-5, -20, -35, -40}) page.fl.drag(value);
  f.scheduler.advance(1000);
  EXPECT_TRUE(WritesAfter(f.port, before).empty());
  page.fl.release();
  f.scheduler.advance(1000);
  EXPECT_EQ(WritesAfter(f.port, before), std::vector<std::string>{comm::MakeStandard("24120")});
  EXPECT_EQ(f.link.imageInUse().speakerLevel[8], -40);
}

TEST(PageOnLink, RealTimeExtendedCommandRunsAsABatch) {
  LinkFixture f(WorkingMode::RealTime);
  ASSERT_TRUE(f.connectRealTime());
  ui::CommPageLink link(f.link);
  ui::ScriptedUiServices ui;
  TestPage page({link, ui});
  page.OnSetActive();
  const std::size_t before = f.port.writes.size();
  page.mode.select(0);
  EXPECT_TRUE(f.link.isSendingCommands());
  f.runUntil([&] { return !f.link.isSendingCommands(); }, 5000);
  EXPECT_EQ(WritesAfter(f.port, before),
            std::vector<std::string>{pages::MakeCommand(pages::CommandFrame::ExtendedLower, "200801003000")});
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
}

TEST(PageOnLink, AsyncDragQueuesNothing) {
  LinkFixture f(WorkingMode::Async);
  ui::CommPageLink link(f.link);
  ui::ScriptedUiServices ui;
  TestPage page({link, ui});
  page.OnSetActive();
  page.fr.drag(45);
  page.fr.release();
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_TRUE(f.port.writes.empty());
  EXPECT_EQ(f.link.images().Image(0)->speakerLevel[9], 45);
}

}  // namespace
}  // namespace tw::test
