// The upload list in its three phases, the download list, and the walk that passes over
// other programs' DSP rows while a System Memory is read.

#include "link_harness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw::comm::test {
namespace {

std::vector<std::string> texts(const CommandList& list, std::size_t from = 0) {
  std::vector<std::string> out;
  for (std::size_t i = from; i < list.size(); ++i) out.push_back(list.at(i).text);
  return out;
}

std::ptrdiff_t indexOf(const std::vector<std::string>& v, const std::string& text, std::size_t from = 0) {
  const auto it = std::find(v.begin() + static_cast<std::ptrdiff_t>(from), v.end(), text);
  return it == v.end() ? -1 : it - v.begin();
}

std::string rowRequest(int row) { return CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request); }

// Records what the pages were asked to queue.
class RecordingPages final : public PageSource {
 public:
  explicit RecordingPages(Link& link) : link_(link) {}
  void QueueAll(model::ParameterImage& image, const model::SettingFilter& = {}) override {
    queueAllImages.push_back(image.index);
    link_.SendPacket(Ext("200801200000"), 383);  // one page write
  }
  void QueueMemoryPart(int memory, int part, model::ParameterImage& image) override {
    memoryParts.emplace_back(memory, part);
    EXPECT_EQ(image.index, memory);
  }
  std::vector<int> queueAllImages;
  std::vector<std::pair<int, int>> memoryParts;

 private:
  Link& link_;
};

class UploadList : public ::testing::Test {
 protected:
  UploadList() : f(WorkingMode::Async), pages(f.link) {
    f.link.setPages(&pages);
    f.receiver.silent = true;
    f.link.Upload(PortChoice::Fixed("ttyA"));
    f.scheduler.advance(300);
    f.port.receive(StatusFrame());
    f.scheduler.advance(1);
  }
  // Answers the pending row reads 0..3 with the given capability characters.
  void answerCapabilities(char zone2, char zone3, char xm) {
    f.port.receive(ReplyForRow(0, "00100"));
    f.port.receive(ReplyForRow(1, std::string(1, zone2) + "00"));
    f.port.receive(ReplyForRow(2, std::string(1, zone3) + "00"));
    f.port.receive(ReplyForRow(3, std::string(1, xm)));
  }
  LinkFixture f;
  RecordingPages pages;
};

TEST_F(UploadList, PhaseZeroReadsRegionAndCapabilitiesThenReachesCurr) {
  const auto list = texts(f.link.commandList());
  ASSERT_GE(list.size(), 10u);
  // The status frame reported input 0: the upload first selects input 1.
  EXPECT_EQ(list[0], Std("07A15"));
  EXPECT_EQ(f.link.images().Image(0)->basic[0], 1);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(list[static_cast<std::size_t>(r + 1)], rowRequest(r));
  EXPECT_EQ(list[5], "@CURR");
  EXPECT_EQ(list[6], rowRequest(4));
  EXPECT_EQ(indexOf(list, rowRequest(model::kPollRow)), -1);
  EXPECT_EQ(indexOf(list, "@VOLUMEOUT"), -1);
  // Memory 1 is loaded part by part, each load followed by a wait.
  const auto m1 = indexOf(list, "@MEMORY, 1");
  ASSERT_GT(m1, 0);
  const std::vector<std::string> memory1(list.begin() + m1 - 1, list.begin() + m1 + 10);
  const std::vector<std::string> expected = {"@WAIT, 1000", "@MEMORY, 1", Std("07E35"), "@WAIT, 1000",
                                             Std("07E75"),  "@WAIT, 1000", Std("07E8D"), "@WAIT, 1000",
                                             Std("07E60"),  "@WAIT, 1000", rowRequest(19)};
  EXPECT_EQ(memory1, expected);
  EXPECT_EQ(f.link.commandList().at(static_cast<std::size_t>(m1 + 1)).number, 556);
  EXPECT_EQ(f.link.commandList().at(static_cast<std::size_t>(m1 + 3)).number, 558);
  EXPECT_NE(indexOf(list, "@MEMORY, 6"), -1);
  // The first write of the list is the status-frame's input fix; the batch start wrote it.
  ASSERT_FALSE(f.port.writes.empty());
  EXPECT_EQ(f.port.writes.back().bytes, Std("07A15"));
}

TEST_F(UploadList, FirstCurrRebuildsWithTheReportedCapabilities) {
  f.port.receive("\x02" "002101\x03");  // answers the input command (number 1)
  answerCapabilities('0', '1', '0');
  EXPECT_EQ(f.link.linkState(), LinkState::UploadRest);
  EXPECT_EQ(f.link.uploadPhase(), 1);
  EXPECT_EQ(f.link.capabilities().zone2, 0);
  EXPECT_EQ(f.link.capabilities().zone3, 1);
  EXPECT_EQ(f.link.capabilities().xm, 0);

  const CommandList& list = f.link.commandList();
  const auto pending = list.firstPending();
  ASSERT_TRUE(pending);
  EXPECT_EQ(list.at(*pending).text, rowRequest(4));
  EXPECT_EQ(f.port.writes.back().bytes, rowRequest(4));
  const auto rest = texts(list, *pending + 1);
  for (int r = 0; r <= 4; ++r) EXPECT_EQ(indexOf(rest, rowRequest(r)), -1) << "row " << r;
  for (std::size_t i = *pending + 1; i < list.size(); ++i) {
    const int row = list.at(i).row;
    if (row < 0) continue;
    EXPECT_FALSE(model::kCommandTable[static_cast<std::size_t>(row)].flags & (model::kNeedsZone2 | model::kNeedsXm));
  }
  EXPECT_EQ(indexOf(rest, Std("26600")), -1);
  const auto zone3 = indexOf(rest, Std("26B00"));
  ASSERT_NE(zone3, -1);
  EXPECT_LT(indexOf(rest, "@VOLUMEOUT"), zone3);
  EXPECT_EQ(indexOf(rest, Std("07E8D")), -1);  // no Zone2 Volume part
  EXPECT_NE(indexOf(rest, Std("07E60")), -1);
  // The pages queued behind the reads, from image 0.
  const auto memoryEnd = indexOf(rest, "@MEMORY, 0");
  ASSERT_NE(memoryEnd, -1);
  EXPECT_EQ(rest[static_cast<std::size_t>(memoryEnd + 1)], "@CURR");
  EXPECT_EQ(rest[static_cast<std::size_t>(memoryEnd + 2)], Ext("200801200000"));
  EXPECT_EQ(pages.queueAllImages, (std::vector<int>{0, 0}));
}

TEST_F(UploadList, PhaseTwoWritesCurrentSettingsBackWithSavedVolumesAndBasics) {
  f.port.receive("\x02" "002101\x03");
  answerCapabilities('1', '1', '1');
  model::ParameterImage& current = *f.link.images().Image(0);
  // The status frame set the saved Basic Control items; memories then changed them.
  const auto statusInput = f.link.images().Image(0)->basic[0];  // 1: the upload moved off input 0
  ASSERT_EQ(statusInput, 1);
  model::SetParameter(current, 18, -300);
  model::SetParameter(current, 23, -250);
  f.link.OnFrame("\x02" "002101\x03", false);  // stray frame: nothing changes
  // Walk to the end of phase 1 by hand: everything up to "@MEMORY, 0" done.
  CommandList& list = const_cast<CommandList&>(f.link.commandList());
  const auto all = texts(list);
  const auto volumeOut = static_cast<std::size_t>(indexOf(all, "@VOLUMEOUT"));
  for (std::size_t i = 0; i < volumeOut; ++i) list.at(i).status = EntryStatus::Done;
  // The answer to the last read before "@VOLUMEOUT" saves the volumes.
  list.at(volumeOut - 1).status = EntryStatus::Pending;
  const int lastRow = list.at(volumeOut - 1).row;
  f.port.receive(ReplyForRow(lastRow));
  model::SetParameter(current, 18, -100);
  model::SetParameter(current, 23, -100);
  current.basic[0] = 9;

  f.link.BuildUploadList(true);
  EXPECT_EQ(f.link.uploadPhase(), 2);
  EXPECT_EQ(model::GetParameter(current, 18), model::ParameterValue{-300});
  EXPECT_EQ(model::GetParameter(current, 23), model::ParameterValue{-250});
  EXPECT_EQ(current.basic[0], 0);  // the input the status frame reported is put back
  const auto pending = *list.firstPending();
  const auto rest = texts(list, pending + 1);
  ASSERT_EQ(rest.size(), 9u);  // one page write, then eight Basic Control items, no reads
  EXPECT_EQ(rest.front(), Ext("200801200000"));
  EXPECT_EQ(rest[1], Std("07A14"));
  EXPECT_EQ(indexOf(rest, "@CURR"), -1);
}

TEST(DownloadList, ReadsCapabilitiesThenRebuildsMemoriesAndPages) {
  LinkFixture f(WorkingMode::Async);
  RecordingPages pages(f.link);
  f.link.setPages(&pages);
  f.receiver.silent = true;
  f.link.Download(PortChoice::Fixed("ttyA"));
  f.scheduler.advance(300);
  f.port.receive(StatusFrame());
  f.scheduler.advance(1);
  auto list = texts(f.link.commandList());
  ASSERT_GE(list.size(), 6u);
  EXPECT_EQ(list[0], rowRequest(1));
  EXPECT_EQ(list[1], rowRequest(2));
  EXPECT_EQ(list[2], rowRequest(3));
  EXPECT_EQ(list[3], "@CURR");
  EXPECT_EQ(list[4], Std("26600"));
  EXPECT_EQ(list[5], Std("26B00"));
  EXPECT_EQ(pages.memoryParts.size(), 24u);
  pages.memoryParts.clear();

  f.port.receive(ReplyForRow(1, "000"));
  f.port.receive(ReplyForRow(2, "100"));
  f.port.receive(ReplyForRow(3, "0"));
  // The first command behind "@CURR" stays, unless it is for Zone 2, which this receiver
  // lacks; the rest is rebuilt.
  EXPECT_EQ(f.port.writes.back().bytes, Std("26B00"));
  list = texts(f.link.commandList(), *f.link.commandList().firstPending());
  EXPECT_EQ(list[0], Std("26B00"));
  EXPECT_EQ(indexOf(list, Std("26600")), -1);
  std::vector<std::pair<int, int>> expected;
  for (int m = 1; m <= 6; ++m) {
    for (int part : {0, 1, 3}) expected.emplace_back(m, part);
  }
  EXPECT_EQ(pages.memoryParts, expected);
  EXPECT_EQ(f.link.linkState(), LinkState::Connected);
}

TEST_F(UploadList, WithoutZonesQueuesNoZoneCommandsAndNoZoneMemoryParts) {
  f.port.receive("\x02" "002101\x03");
  answerCapabilities('0', '0', '1');
  const auto rest = texts(f.link.commandList(), *f.link.commandList().firstPending());
  for (const char* absent : {"26600", "26B00", "07E8D", "07E60"}) EXPECT_EQ(indexOf(rest, Std(absent)), -1) << absent;
  EXPECT_NE(indexOf(rest, Std("07E75")), -1);
}

class MemoryWalk : public ::testing::Test {
 protected:
  MemoryWalk() : f(WorkingMode::Async) {
    EXPECT_TRUE(f.connectForDownloadOnly());
    f.receiver.silent = true;
    f.link.setLinkMode(LinkMode::Upload);
    f.port.writes.clear();
  }
  // The first DSP read rows of `program`.
  std::vector<int> readsOf(int program, int count) {
    std::vector<int> rows;
    for (int r = 0; r < model::kRowCount && static_cast<int>(rows.size()) < count; ++r) {
      if (model::kCommandTable[static_cast<std::size_t>(r)].programGroup == program) rows.push_back(r);
    }
    return rows;
  }
  LinkFixture f;
};

TEST_F(MemoryWalk, OtherProgramsRowsAreSkippedWhileAMemoryImageIsInUse) {
  f.link.images().SelectInUse(3);
  f.link.imageInUse().basic[3] = 5;
  f.link.SendPacket(rowRequest(0), 564);
  for (int r : readsOf(2, 2)) f.link.SendPacket(rowRequest(r), 564);
  for (int r : readsOf(7, 3)) f.link.SendPacket(rowRequest(r), 564);
  const int target = readsOf(5, 1).front();
  f.link.SendPacket(rowRequest(target), 564);
  f.link.SendPacket("", 564);
  f.port.receive(ReplyForRow(0));
  ASSERT_EQ(f.port.writes.size(), 2u);
  EXPECT_EQ(f.port.writes[1].bytes, rowRequest(target));
  EXPECT_EQ(*f.link.commandList().firstPending(), 6u);
}

TEST_F(MemoryWalk, FirstEntryAfterMemorySwitchIsComparedWithThePreviousImage) {
  f.link.images().Image(2)->basic[3] = 5;
  f.link.SendPacket(rowRequest(0), 564);
  f.link.SendPacket(MacroText(kMacroMemory, 2), 564);
  const int other = readsOf(2, 1).front();
  f.link.SendPacket(rowRequest(other), 564);
  f.link.SendPacket("", 564);
  f.port.receive(ReplyForRow(0));
  EXPECT_EQ(f.link.images().InUseIndex(), 2);
  EXPECT_EQ(f.port.writes.back().bytes, rowRequest(other));
  EXPECT_TRUE(f.log.hasComment("@MEMORY 2"));
}

TEST_F(MemoryWalk, WrongKindOfFrameIsDroppedAndTheWatchRestarts) {
  f.link.SendPacket(rowRequest(20), 564);
  f.link.SendPacket("", 564);
  const auto before = f.link.imageInUse().basic;
  f.port.receive("\x02" "002600\x03");  // unsolicited standard report
  EXPECT_EQ(f.link.imageInUse().basic, before);
  EXPECT_TRUE(f.scheduler.isTimerActive(kReplyTimer));
  EXPECT_EQ(f.link.commandList().at(0).status, EntryStatus::Pending);
}

TEST(OperationCommand, BuildsTheBasicControlFrames) {
  BasicBlock basic{};
  basic[8] = 0;
  EXPECT_EQ(BuildOperationCommand(basic, 9), Std("230C7"));
  basic[8] = 160;
  EXPECT_EQ(BuildOperationCommand(basic, 9), Std("230E7"));
  basic[8] = -800;
  EXPECT_EQ(BuildOperationCommand(basic, 9), Std("23027"));
  basic[8] = -805;
  EXPECT_EQ(BuildOperationCommand(basic, 9), Std("23000"));
  basic[0] = 12;
  EXPECT_EQ(BuildOperationCommand(basic, 1), Std("07A87"));
  basic[0] = 13;
  EXPECT_EQ(BuildOperationCommand(basic, 1), "");
  basic[3] = 25;
  EXPECT_EQ(BuildOperationCommand(basic, 4), Std("2AF02"));
  EXPECT_EQ(BuildOperationCommand(basic, 11), Std("2AF02"));
  basic[3] = 28;
  EXPECT_EQ(BuildOperationCommand(basic, 4), Std("07EE0"));
  basic[6] = 0;
  EXPECT_EQ(BuildOperationCommand(basic, 8), Std("28B00"));
  basic[6] = 1;
  basic[7] = 0;
  EXPECT_EQ(BuildOperationCommand(basic, 8), Std("28B10"));
  basic[9] = 1;
  EXPECT_EQ(BuildOperationCommand(basic, 10), Std("07EA2"));
  basic[12] = 0;
  basic[13] = 1;
  basic[14] = 0;
  EXPECT_EQ(BuildOperationCommand(basic, 12), Std("07E7F"));
  EXPECT_EQ(BuildOperationCommand(basic, 13), Std("07EBA"));
  EXPECT_EQ(BuildOperationCommand(basic, 14), Std("07AEE"));
  EXPECT_EQ(BuildOperationCommand(basic, 15), "");
  EXPECT_EQ(BuildOperationCommand(basic, 0), "");
}

TEST(OperationCommand, DownloadOrderFollowsNightModeAndProgramKind) {
  BasicBlock basic{};
  int count = 0;
  basic[3] = 28;
  auto numbers = BasicDownloadNumbers(basic, count);
  EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.begin() + count), (std::vector<int>{1, 2, 3, 6, 7, 5, 9, 10}));
  basic[6] = 2;
  basic[3] = 24;
  numbers = BasicDownloadNumbers(basic, count);
  EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.begin() + count), (std::vector<int>{1, 2, 3, 6, 7, 8, 11, 9, 10}));
}

TEST(MemoryCommands, LoadAndSaveFramesAndNumbers) {
  EXPECT_EQ(MemoryOperationCommand(3, 0, true), Std("07E37"));
  EXPECT_EQ(MemoryOperationCommand(6, 1, false), Std("07E70"));
  EXPECT_EQ(MemoryOperationCommand(1, 3, true), Std("07E60"));
  EXPECT_EQ(MemoryOperationCommand(0, 0, true), "");
  EXPECT_EQ(MemoryOperationCommand(7, 0, true), "");
  EXPECT_EQ(MemoryOperationCommand(1, 4, true), "");
  EXPECT_EQ(MemoryCommandNumber(0, true), 556);
  EXPECT_EQ(MemoryCommandNumber(3, false), 563);
}

}  // namespace
}  // namespace tw::comm::test
