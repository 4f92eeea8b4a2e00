// The whole program against the in-process virtual receiver on the virtual clock: what the
// receiver holds is read from its own state, never through the tool's decoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

#include "app/application.h"
#include "comm/link_constants.h"
#include "comm/protocol.h"
#include "emu/row_families.h"
#include "model/parameter_access.h"
#include "pages/receiver_state.h"
#include "pages/workbench_fixture.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Operation = Workbench::Operation;

std::array<model::ParameterImage, model::kImageCount> Snapshot(Workbench& bench) {
  return bench.link().images().All();
}

bool SameImages(const std::array<model::ParameterImage, model::kImageCount>& a,
                const std::array<model::ParameterImage, model::kImageCount>& b) {
  return a == b;
}

// The input names as the receiver holds them (its text rows, in table order) and as image
// 0 holds them (240..253).
void ExpectInputNamesMatch(const emu::VirtualReceiver& receiver, const model::ParameterImage& image) {
  std::vector<std::string> held;
  for (int row = 0; row < model::kRowCount; ++row) {
    // The receiver answers a name row with its length "08" and the eight characters.
    if (emu::KindOfRow(row).family != emu::RowFamily::InputName) continue;
    const std::string value = receiver.rowValue(row);
    ASSERT_EQ(value.size(), 10u) << value;
    EXPECT_EQ(value.substr(0, 2), "08");
    held.push_back(value.substr(2));
  }
  ASSERT_EQ(held.size(), 14u);
  for (int i = 0; i < 14; ++i) {
    const auto name = model::GetParameter(image, 240 + i);
    ASSERT_TRUE(name && std::holds_alternative<std::string>(*name));
    EXPECT_EQ(std::get<std::string>(*name), held[static_cast<std::size_t>(i)]) << "input name " << i;
  }
}

TEST(EndToEnd, RealTimeOpenReadsTheReceiversSettingsIntoImageZero) {
  for (const char* seed : {"seed=7", "seed=1234"}) {
    SCOPED_TRACE(seed);
    BenchFixture f(app::kStartModeRealTime, {seed});
    const auto outcome = f.run(Operation::Open);
    ASSERT_TRUE(outcome.connected);
    EXPECT_EQ(f.bench.view().statusText().text(), "Connected TQ-N4400 (virtual receiver)");
    ExpectBasicMatches(f.receiver().current(), f.image(0), "image 0");
    ExpectInputNamesMatch(f.receiver(), f.image(0));
    // The controls show it too.
    EXPECT_EQ(f.bench.basicControls().input.curSel(), f.image(0).basic[0]);
    EXPECT_TRUE(f.messageTexts().empty());
  }
}

TEST(EndToEnd, AsyncUploadFillsEveryImageFromTheReceiverAndItsMemories) {
  BenchFixture f(app::kStartModeAsync, {"seed=99"}, 1);
  const emu::ReceiverSettings before = f.receiver().current();
  const auto outcome = f.run(Operation::Upload);
  ASSERT_TRUE(outcome.connected);
  ASSERT_EQ(outcome.listResult, 0);
  EXPECT_FALSE(f.bench.link().isPortOpen()) << "Async Mode closes the port after the list";
  ExpectBasicMatches(before, f.image(0), "image 0");
  ExpectInputNamesMatch(f.receiver(), f.image(0));
  for (int memory = 1; memory <= 6; ++memory) {
    // A System Memory holds the sound program and the night mode of the Basic Control block.
    const BasicExpectation e = ExpectedBasic(f.receiver().memory(memory));
    SCOPED_TRACE("memory " + std::to_string(memory));
    EXPECT_EQ(f.image(memory).basic[3], e.program);
    EXPECT_EQ(f.image(memory).basic[6], e.night);
    if (e.night != 0) {
      EXPECT_EQ(f.image(memory).basic[7], e.nightParameter);
    }
  }
  // The upload ends with the receiver back where it began.
  EXPECT_EQ(ExpectedBasic(f.receiver().current()).input, ExpectedBasic(before).input);
  EXPECT_EQ(ExpectedBasic(f.receiver().current()).program, ExpectedBasic(before).program);
}

TEST(EndToEnd, AsyncDownloadMakesTheReceiverHoldTheToolsBasicControls) {
  BenchFixture f(app::kStartModeAsync, {}, 1);
  ui::BasicControlGroup& group = f.bench.basicControls();
  // Edits as a user makes them; Async Mode stores them and sends nothing.
  group.input.select(5);       // DVD
  group.audioSelect.select(2);  // Coax/Opt
  group.decoder.select(1);     // DTS
  group.surround.select(4);    // PLIIx Movie
  group.nightMode.select(2);   // Music
  group.nightParameter.click(2);
  group.selector.click(2);     // Music Enhancer
  group.enhancer.select(3);    // 7ch Enhancer High
  group.volume.drag(-125);
  group.volume.release();
  ASSERT_EQ(f.image(0).basic[3], 27);
  const auto outcome = f.run(Operation::Download);
  ASSERT_TRUE(outcome.connected);
  ASSERT_EQ(outcome.listResult, 0);
  ExpectBasicMatches(f.receiver().current(), f.image(0), "after the download");
  EXPECT_EQ(f.image(0).basic[8], -125);
  // The notice was shown first and accepted.
  ASSERT_FALSE(f.dialogs.shown.empty());
  EXPECT_EQ(f.dialogs.shown.front(), "Notice");
}

TEST(EndToEnd, ReloadReadsWhatChangedAtTheReceiver) {
  BenchFixture f(app::kStartModeRealTime, {"seed=5"});
  ASSERT_TRUE(f.run(Operation::Open).connected);
  // Someone switches the receiver to CD and mutes it behind the tool's back: the receiver
  // answers with reports, but nothing reaches the tool.
  const int other = f.image(0).basic[0] == 1 ? 2 : 1;
  f.receiver().handleFrame(comm::MakeStandard(std::string("07A") + (other == 1 ? "15" : "16")));
  f.receiver().handleFrame(comm::MakeStandard("07EA2"));
  ASSERT_NE(f.image(0).basic[0], other);
  const auto outcome = f.run(Operation::Reload);
  ASSERT_TRUE(outcome.connected);
  EXPECT_EQ(f.image(0).basic[0], other);
  EXPECT_EQ(f.image(0).basic[9], 1);
  ExpectBasicMatches(f.receiver().current(), f.image(0), "after the reload");
}

TEST(EndToEnd, KeepAliveHoldsTheConnectionAndACablePullEndsIt) {
  // The cable is pulled at 200 s; the connection is made in the first seconds.
  BenchFixture f(app::kStartModeRealTime, {"cts-off-at=200000"});
  ASSERT_TRUE(f.run(Operation::Open).connected);
  const std::size_t framesAtConnect = f.bench.virtualPort().transcript().receivedFrames().size();
  // Three keep-alive periods: each is answered, nothing is shown.
  f.scheduler.advance(95000);
  EXPECT_TRUE(f.bench.link().isPortOpen());
  EXPECT_EQ(f.bench.view().statusText().text(), "Connected TQ-N4400 (virtual receiver)");
  EXPECT_GE(f.bench.virtualPort().transcript().receivedFrames().size(), framesAtConnect + 6)
      << "two frames per keep-alive";
  EXPECT_TRUE(f.messageTexts().empty());
  // After the pull the next keep-alive goes unanswered: message 203 and closed.
  f.scheduler.advance(150000);
  EXPECT_FALSE(f.bench.link().isPortOpen());
  EXPECT_EQ(f.bench.view().statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_EQ(f.messageTexts(), std::vector<std::string>{"Connection check error has occurred."});
}

// How long an Async operation takes against a healthy receiver, and when its list begins.
struct Timing {
  std::int64_t connected = 0;
  std::int64_t ended = 0;
};

Timing Measure(Operation operation, const std::vector<std::string>& options) {
  BenchFixture f(app::kStartModeAsync, options, 1);
  Timing timing;
  f.bench.onConnectFinished = [&](bool) { timing.connected = f.scheduler.now(); };
  EXPECT_EQ(f.run(operation).listResult, 0);
  timing.ended = f.scheduler.now();
  return timing;
}

TEST(EndToEnd, CablePulledDuringADownloadEndsWithCableCheckErrorAndLeavesTheImages) {
  const Timing healthy = Measure(Operation::Download, {});
  ASSERT_GT(healthy.ended, healthy.connected);
  const std::int64_t pull = (healthy.connected + healthy.ended) / 2;
  BenchFixture f(app::kStartModeAsync, {"cts-off-at=" + std::to_string(pull)}, 1);
  f.bench.basicControls().input.select(7);
  const auto before = Snapshot(f.bench);
  const auto outcome = f.run(Operation::Download);
  ASSERT_TRUE(outcome.connected);
  EXPECT_EQ(outcome.listResult, 2);
  EXPECT_EQ(f.messageTexts(), std::vector<std::string>{"Cable Check Error"});
  EXPECT_FALSE(f.bench.link().isPortOpen());
  EXPECT_EQ(f.bench.view().statusText().text(), "Not Connected (virtual receiver)");
  EXPECT_TRUE(SameImages(before, Snapshot(f.bench))) << "a download never changes the tool's images";
  EXPECT_EQ(f.bench.view().commandDialog(), nullptr);
}

TEST(EndToEnd, CablePulledDuringAnUploadRestoresEveryImageExactly) {
  const Timing healthy = Measure(Operation::Upload, {"seed=3"});
  const std::int64_t pull = (healthy.connected + healthy.ended) / 2;
  BenchFixture f(app::kStartModeAsync, {"seed=3", "cts-off-at=" + std::to_string(pull)}, 1);
  f.bench.basicControls().input.select(7);
  const auto before = Snapshot(f.bench);
  const auto outcome = f.run(Operation::Upload);
  EXPECT_EQ(outcome.listResult, 2);
  // Pulled while the memories were read: the receiver may hold one of them, and is told.
  ASSERT_EQ(f.messageTexts().size(), 2u);
  EXPECT_EQ(f.messageTexts()[0], "Cable Check Error");
  EXPECT_EQ(f.messageTexts()[1], outcome.interruption);
  EXPECT_NE(outcome.interruption.find("may now hold System Memory 4's settings"), std::string::npos);
  EXPECT_TRUE(SameImages(before, Snapshot(f.bench)));
  EXPECT_EQ(f.bench.basicControls().input.curSel(), 7) << "the controls show the restored image";
}

TEST(EndToEnd, ErrorLogNamesTheSectionAndKeyOfEachFailedCommand) {
  struct Case {
    std::string command;  // sent for the last time in the download at the moment of the fault
    std::string logged;
  };
  // Input DSP selects every input before the Basic Control group's own input goes out; its
  // commands are the main form's, but their failures belong to the page.
  for (const Case& c : {Case{"07AC0", "Basic Control Input\tSTX, \"07AC0\", ETX"},
                        Case{"07A14", "Input DSP PHONO\tSTX, \"07A14\", ETX"}}) {
    const std::string command = comm::MakeStandard(c.command);
    std::int64_t sentAtMs = -1;
    {
      BenchFixture healthy(app::kStartModeAsync, {}, 1);
      healthy.bench.basicControls().input.select(7);  // CBL/SAT
      ASSERT_EQ(healthy.run(Operation::Download).listResult, 0);
      for (const auto& entry : healthy.bench.virtualPort().transcript().entries()) {
        if (entry.direction == emu::TranscriptEntry::Direction::ToReceiver && entry.bytes == command) {
          sentAtMs = entry.timeUs / 1000;
        }
      }
      ASSERT_GT(sentAtMs, 0) << c.command;
    }
    // The cable comes out just before it: the command goes unanswered, is given up and
    // logged under its section and key, and the list ends with the cable error.
    BenchFixture f(app::kStartModeAsync, {"cts-off-at=" + std::to_string(sentAtMs - 10)}, 1);
    f.bench.basicControls().input.select(7);
    EXPECT_EQ(f.run(Operation::Download).listResult, 2) << c.command;
    const std::string log = ReadFile(f.folder.path() / "ErrLog.txt");
    EXPECT_NE(log.find("\r\n" + c.logged + "  \r\n"), std::string::npos) << log;
    EXPECT_EQ(log.rfind("StartTime :", 0), 0u) << log;
    EXPECT_NE(log.find("\r\nTotal :"), std::string::npos) << log;
  }
}

// The receiver's settings that the pages of this program carry: the speaker levels and the
// speaker set (standard reports) and the speaker distances (extended rows).
std::map<std::string, std::string> SpeakerState(const emu::VirtualReceiver& receiver) {
  std::map<std::string, std::string> state;
  for (const char* code : {"40", "41", "42", "43", "44", "45", "46", "47", "48", "49", "70", "71", "72", "73", "74",
                           "75", "76", "7D", "7E"}) {
    state[std::string("report ") + code] = ReportOf(receiver.current(), code);
  }
  for (int row = 0; row < model::kRowCount; ++row) {
    if (emu::KindOfRow(row).family == emu::RowFamily::Distance) {
      state["row " + std::to_string(row)] = receiver.rowValue(row);
    }
  }
  return state;
}

TEST(EndToEnd, UploadSaveLoadDownloadCarriesOneReceiversSettingsToAnother) {
  // Outside the fixtures' scratch folders, which go with each fixture.
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "tunewright-tests" / "EndToEnd.living room.qcf";
  std::filesystem::remove(file);
  BasicExpectation uploaded;
  std::map<std::string, std::string> uploadedSpeakers;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=42"}, 1);
    ASSERT_EQ(from.run(Operation::Upload).listResult, 0);
    from.bench.userMemo() = "Living room";
    ASSERT_TRUE(from.bench.SaveConfiguration(file).ok);
    uploaded = ExpectedBasic(from.receiver().current());
    uploadedSpeakers = SpeakerState(from.receiver());
  }
  BenchFixture to(app::kStartModeAsync, {}, 1);
  ASSERT_NE(SpeakerState(to.receiver()), uploadedSpeakers) << "the two receivers must differ to begin with";
  ASSERT_TRUE(to.bench.LoadConfiguration(file).ok);
  EXPECT_EQ(to.bench.userMemo(), "Living room");
  EXPECT_EQ(to.bench.basicControls().input.curSel(), uploaded.input) << "the controls show the loaded file";
  ASSERT_EQ(to.run(Operation::Download).listResult, 0);

  const BasicExpectation now = ExpectedBasic(to.receiver().current());
  EXPECT_EQ(now.input, uploaded.input);
  EXPECT_EQ(now.program, uploaded.program);
  EXPECT_EQ(now.decoder, uploaded.decoder);
  EXPECT_EQ(now.audioSelect, uploaded.audioSelect);
  EXPECT_EQ(now.surround, uploaded.surround);
  EXPECT_EQ(now.night, uploaded.night);
  EXPECT_EQ(now.volume, uploaded.volume);
  EXPECT_EQ(now.mute, uploaded.mute);
  const auto speakers = SpeakerState(to.receiver());
  for (const auto& [what, value] : uploadedSpeakers) EXPECT_EQ(speakers.at(what), value) << what;
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace tw::pages::test
