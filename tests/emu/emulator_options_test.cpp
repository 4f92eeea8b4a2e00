#include "emu/emulator_options.h"

#include <gtest/gtest.h>

namespace tw::emu {
namespace {

TEST(EmulatorOptions, EveryKeySetsItsField) {
  EmulatorConfig config;
  const std::vector<std::string> options = {"zone2=0",
                                            "zone3=off",
                                            "xm=no",
                                            "aac=0",
                                            "region=3",
                                            "model=R0999",
                                            "seed=77",
                                            "latency=25",
                                            "fault-seed=9",
                                            "silent=1",
                                            "drop=0.25",
                                            "late=0.5",
                                            "late-ms=4000",
                                            "duplicate=1",
                                            "garbage=0.1",
                                            "nul=.2",
                                            "split=1.0",
                                            "faults-from=120000",
                                            "guard-rows=439,20",
                                            "guard-codes=26,a2",
                                            "error-rows=351",
                                            "cts-off-at=60000",
                                            "knob=2000"};
  ASSERT_EQ(ApplyEmulatorOptions(config, options), std::nullopt);
  EXPECT_FALSE(config.zone2);
  EXPECT_FALSE(config.zone3);
  EXPECT_FALSE(config.xm);
  EXPECT_FALSE(config.aac);
  EXPECT_EQ(config.tunerRegion, 3);
  EXPECT_EQ(config.modelCode, "R0999");
  EXPECT_EQ(config.settingsSeed, 77u);
  EXPECT_EQ(config.latencyMs, 25);
  EXPECT_EQ(config.faultSeed, 9u);
  EXPECT_TRUE(config.silent);
  EXPECT_DOUBLE_EQ(config.dropRate, 0.25);
  EXPECT_DOUBLE_EQ(config.lateRate, 0.5);
  EXPECT_EQ(config.lateMs, 4000);
  EXPECT_DOUBLE_EQ(config.duplicateRate, 1.0);
  EXPECT_DOUBLE_EQ(config.garbageRate, 0.1);
  EXPECT_DOUBLE_EQ(config.nulRate, 0.2);
  EXPECT_DOUBLE_EQ(config.splitRate, 1.0);
  EXPECT_EQ(config.faultsFromMs, 120000);
  EXPECT_EQ(config.guardRows, (std::set<int>{20, 439}));
  EXPECT_EQ(config.guardCodes, (std::set<std::string>{"26", "A2"}));
  EXPECT_EQ(config.errorRows, (std::set<int>{351}));
  EXPECT_EQ(config.ctsOffAtMs, 60000);
  EXPECT_EQ(config.knobIntervalMs, 2000);
}

TEST(EmulatorOptions, BadTextsAreRefusedWithAMessageAndChangeNothing) {
  for (const char* bad : {"zone2", "zone2=2", "region=4", "region=-1", "model=R021", "drop=1.5", "drop=-0.1",
                          "drop=nan", "late-ms=x", "guard-rows=1,,2", "guard-rows=1,", "guard-codes=2G",
                          "guard-codes=123", "seed=4294967296", "colour=red", "=1", "", "latency=10001"}) {
    EmulatorConfig config;
    const auto message = ApplyEmulatorOption(config, bad);
    ASSERT_TRUE(message.has_value()) << bad;
    EXPECT_EQ(message->find('\n'), std::string::npos);
    EXPECT_EQ(config.tunerRegion, 1) << bad;
    EXPECT_TRUE(config.zone2) << bad;
    EXPECT_TRUE(config.guardRows.empty()) << bad;
  }
  EmulatorConfig config;
  EXPECT_NE(ApplyEmulatorOption(config, "region=9")->find("0..3"), std::string::npos);
}

TEST(EmulatorOptions, AnEmptyListClearsIt) {
  EmulatorConfig config;
  ASSERT_EQ(ApplyEmulatorOption(config, "error-rows=5,6"), std::nullopt);
  ASSERT_EQ(ApplyEmulatorOption(config, "error-rows="), std::nullopt);
  EXPECT_TRUE(config.errorRows.empty());
}

TEST(EmulatorOptions, HelpNamesEveryKey) {
  const std::string help = EmulatorOptionHelp();
  for (const char* key : {"zone2=",       "zone3=",      "xm=",         "aac=",    "region=", "model=",
                          "seed=",        "latency=",    "fault-seed=", "silent=", "drop=",   "late=",
                          "late-ms=",     "duplicate=",  "garbage=",    "nul=",    "split=",  "guard-rows=",
                          "guard-codes=", "error-rows=", "cts-off-at=", "knob="}) {
    EXPECT_NE(help.find(std::string("  ") + key), std::string::npos) << key;
  }
}

}  // namespace
}  // namespace tw::emu
