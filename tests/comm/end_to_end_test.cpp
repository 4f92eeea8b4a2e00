// The link against the in-process virtual receiver, with randomised receiver settings:
// what the receiver holds must arrive in the images, also when replies get lost.

#include "comm/link.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/protocol.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "model/decode.h"
#include "model/parameter_access.h"
#include "link_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tw::comm {
namespace {

using test::EndView;

// Every value that the reply to `row` carries (as the receiver holding `settings` answers
// it) must stand in `image`. Returns how many values were compared.
int ExpectRowInImage(const emu::ReceiverSettings& settings, int row, const model::ParameterImage& image) {
  const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
  const std::string reply = CompleteExtended(std::string(r.replyPrefix) + settings.rows[static_cast<std::size_t>(row)]);
  const model::DecodeResult result = model::Decode(reply);
  if (!result.decoded) return 0;
  int compared = 0;
  if (result.group == 12) {
    const int record = model::FindGraphicEqRecord(image, result.values.at(0).value);
    EXPECT_GE(record, 0) << "row " << row;
    for (std::size_t i = 1; i < result.values.size() && record >= 0; ++i) {
      EXPECT_EQ(model::GetGraphicEqValue(image, record, result.values[i].number), result.values[i].value) << "row " << row;
      ++compared;
    }
    return compared;
  }
  for (const model::DecodedValue& value : result.values) {
    const auto stored = model::GetParameter(image, value.number);
    if (!stored) continue;
    if (value.isText()) {
      EXPECT_EQ(std::get<std::string>(*stored), value.text) << "image " << image.index << " row " << row << " number " << value.number;
    } else {
      EXPECT_EQ(std::get<std::int32_t>(*stored), value.value) << "image " << image.index << " row " << row << " number " << value.number;
    }
    ++compared;
  }
  return compared;
}

class CountingLog final : public LinkLog {
 public:
  void WriteTrace(std::string_view text, bool frame, bool) override {
    if (!frame && text == "[再送]") ++resends;
  }
  void WriteErrorLog(std::string_view, int) override { ++errors; }
  int resends = 0;
  int errors = 0;
};

struct Bench {
  explicit Bench(WorkingMode mode, emu::EmulatorConfig config) : port(scheduler, config), link(port, scheduler, mode) {
    link.setObserver(&view);
    link.setLog(&log);
  }
  bool run(const std::function<bool()>& done, std::int64_t limitMs) { return scheduler.runUntil(done, limitMs); }

  VirtualScheduler scheduler;
  emu::EmulatorPort port;
  EndView view;
  CountingLog log;
  Link link;
};

emu::EmulatorConfig Randomised(std::uint32_t seed) {
  emu::EmulatorConfig config;
  config.settingsSeed = seed;
  return config;
}

void ExpectStartupReadInImage0(Bench& b) {
  const emu::ReceiverSettings& receiver = b.port.receiver().current();
  int compared = 0;
  for (int row = model::kCapabilityRow + 1; row < model::kRowCount; ++row) {
    const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
    if (!(r.flags & model::kReadAtStart) || !model::IsEligible(r, b.link.capabilities())) continue;
    if (!IsExtended(r.request)) continue;
    compared += ExpectRowInImage(receiver, row, *b.link.images().Image(0));
  }
  EXPECT_GT(compared, 400);
}

TEST(EndToEnd, RealTimeStartupReadFillsImage0WithTheReceiversSettings) {
  for (std::uint32_t seed : {7u, 21u}) {
    Bench b(WorkingMode::RealTime, Randomised(seed));
    b.link.Open(PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
    ASSERT_TRUE(b.run([&] { return b.view.connect >= 0; }, 30 * 60 * 1000));
    ASSERT_EQ(b.view.connect, 1);
    ExpectStartupReadInImage0(b);
    EXPECT_TRUE(b.view.messages.empty());
  }
}

TEST(EndToEnd, DroppedRepliesAreRecoveredByResendsInAnUpload) {
  emu::EmulatorConfig config = Randomised(5);
  config.dropRate = 0.05;
  config.garbageRate = 0.02;
  config.nulRate = 0.02;
  config.splitRate = 0.1;
  Bench b(WorkingMode::Async, config);
  const emu::ReceiverSettings before = b.port.receiver().current();
  b.link.Upload(PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
  ASSERT_TRUE(b.run([&] { return b.view.commands >= 0 || b.view.connect == 0; }, 4LL * 60 * 60 * 1000));
  EXPECT_EQ(b.view.commands, 0);
  EXPECT_FALSE(b.link.isPortOpen());
  EXPECT_GT(b.log.resends, 10);  // replies were lost, and resent for
  for (int row = model::kCapabilityRow + 1; row < model::kRowCount - 1; ++row) {
    const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
    if ((r.flags & (model::kReadAtStart | model::kReadCurrent)) && IsExtended(r.request)) {
      ExpectRowInImage(before, row, *b.link.images().Image(0));
    }
  }
}

TEST(EndToEnd, UploadFillsImagesZeroToSixWithCurrentSettingsAndMemories) {
  Bench b(WorkingMode::Async, Randomised(11));
  const emu::ReceiverSettings before = b.port.receiver().current();
  b.link.Upload(PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
  ASSERT_TRUE(b.run([&] { return b.view.commands >= 0 || b.view.connect == 0; }, 60 * 60 * 1000));
  ASSERT_EQ(b.view.commands, 0);
  EXPECT_TRUE(b.view.messages.empty());

  int compared = 0;
  for (int row = model::kCapabilityRow + 1; row < model::kRowCount - 1; ++row) {
    const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
    if (!IsExtended(r.request)) continue;
    if (r.flags & (model::kReadAtStart | model::kReadCurrent)) compared += ExpectRowInImage(before, row, *b.link.images().Image(0));
    if (!(r.flags & model::kReadPerMemory)) continue;
    for (int m = 1; m <= 6; ++m) {
      const model::ParameterImage& image = *b.link.images().Image(m);
      // Only the memory's own sound program has its DSP parameters read.
      if (r.programGroup != -1 && r.programGroup != image.basic[3]) continue;
      compared += ExpectRowInImage(b.port.receiver().memory(m), row, image);
    }
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace tw::comm
