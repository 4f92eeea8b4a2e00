// tunewright-cli upload and download as a script runs them, against the in-process
// virtual receiver or a device that is not there.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "cli/cli_run.h"

namespace tw::test {
namespace {

// The program's settings file goes into the test's folder, never the user's.
const std::string kOwnSettings = "XDG_CONFIG_HOME=\"$PWD/config\" ";

CliResult RunCli(const TempFolder& folder, const std::string& arguments) {
  return RunCliIn(folder.path(), arguments, kOwnSettings);
}

TEST(UploadCli, SavesTheSeededReceiversConfigurationAndTheSameSeedGivesTheSameFile) {
  TempFolder folder("upload_seeded");
  const CliResult first = RunCli(folder, "upload --emulator --emulator-option seed=12 -o a.qcf");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  const std::string a = ReadAll(folder.path() / "a.qcf");
  EXPECT_EQ(a.rfind("[User Memo]\r\nUser Memo=\r\n[Basic Control]\r\n", 0), 0u) << a.substr(0, 80);
  for (const char* section : {"[Speaker Level]\r\n", "[System Memory 1 Speaker Level]\r\n",
                              "[System Memory 6 Speaker Set]\r\n", "[Volume Memory 6 Basic Control]\r\n"}) {
    EXPECT_NE(a.find(section), std::string::npos) << section;
  }

  ASSERT_EQ(RunCli(folder, "upload --emulator --emulator-option seed=12 -o b.qcf").status, 0);
  EXPECT_EQ(ReadAll(folder.path() / "b.qcf"), a);
  ASSERT_EQ(RunCli(folder, "upload --emulator --emulator-option seed=13 -o c.qcf").status, 0);
  EXPECT_NE(ReadAll(folder.path() / "c.qcf"), a);
}

TEST(UploadCli, RefusesToReplaceAFileUnlessForced) {
  TempFolder folder("upload_force");
  WriteAll(folder.path() / "keep.qcf", "[User Memo]\r\nUser Memo=mine\r\n");
  const CliResult refused = RunCli(folder, "upload --emulator -o keep.qcf");
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("\"keep.qcf\": it exists already"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--force"), std::string::npos);
  EXPECT_EQ(ReadAll(folder.path() / "keep.qcf"), "[User Memo]\r\nUser Memo=mine\r\n");

  const CliResult forced = RunCli(folder, "upload --emulator -o keep.qcf --force");
  ASSERT_EQ(forced.status, 0) << forced.err;
  EXPECT_NE(ReadAll(folder.path() / "keep.qcf").find("[Speaker Level]"), std::string::npos);
}

TEST(UploadCli, BadOutputOrTargetIsBadUsageFoundBeforeConnecting) {
  TempFolder folder("upload_usage");
  // A missing device would say "COM port error has occurred." if anything connected.
  const CliResult noFolder = RunCli(folder, "upload --port /dev/tw-no-such-device -o missing/x.qcf");
  EXPECT_EQ(noFolder.status, 2);
  EXPECT_NE(noFolder.err.find("does not exist"), std::string::npos) << noFolder.err;
  EXPECT_EQ(noFolder.err.find("COM port"), std::string::npos);

  std::filesystem::create_directories(folder.path() / "locked");
  std::filesystem::permissions(folder.path() / "locked", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec);
  if (::access((folder.path() / "locked").c_str(), W_OK) != 0) {  // root may write anyway
    const CliResult locked = RunCli(folder, "upload --port /dev/tw-no-such-device -o locked/x.qcf");
    EXPECT_EQ(locked.status, 2);
    EXPECT_NE(locked.err.find("not writable"), std::string::npos) << locked.err;
  }

  EXPECT_EQ(RunCli(folder, "upload -o x.qcf").status, 2);
  EXPECT_EQ(RunCli(folder, "upload --emulator").status, 2);
  EXPECT_EQ(RunCli(folder, "upload --emulator --emulator-option nonsense=1 -o x.qcf").status, 2);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.qcf"));
}

// Reply pacing, from the command line or the settings file, saves the same file as the
// mandated pacing; any other --pacing value is bad usage that names the allowed ones.
TEST(UploadCli, PacingChoosesHowReadsArePacedButNeverWhatIsRead) {
  TempFolder folder("upload_pacing");
  ASSERT_EQ(RunCli(folder, "upload --emulator --emulator-option seed=5 -o mandated.qcf").status, 0);
  const CliResult reply = RunCli(folder, "upload --emulator --emulator-option seed=5 --pacing reply -o reply.qcf");
  ASSERT_EQ(reply.status, 0) << reply.err;
  EXPECT_EQ(ReadAll(folder.path() / "reply.qcf"), ReadAll(folder.path() / "mandated.qcf"));

  std::filesystem::create_directories(folder.path() / "config" / "tunewright");
  WriteAll(folder.path() / "config" / "tunewright" / "tunewright-cli.ini", "[Link]\r\nPacing=reply\r\n");
  const CliResult fromFile = RunCli(folder, "upload --emulator --emulator-option seed=5 -o file.qcf");
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(ReadAll(folder.path() / "file.qcf"), ReadAll(folder.path() / "mandated.qcf"));
  // The program reads the switch and leaves it in the file.
  EXPECT_NE(ReadAll(folder.path() / "config" / "tunewright" / "tunewright-cli.ini").find("Pacing=reply"),
            std::string::npos);

  for (const char* bad : {"fast", "", "Reply,mandated"}) {
    const CliResult refused =
        RunCli(folder, std::string("upload --emulator --pacing '") + bad + "' -o bad.qcf");
    EXPECT_EQ(refused.status, 2) << bad;
    EXPECT_NE(refused.err.find("reply"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("mandated"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "bad.qcf"));
  }
}

TEST(TransferCli, AMissingDeviceFailsWithTheLinksOwnMessage) {
  TempFolder folder("transfer_missing");
  const CliResult up = RunCli(folder, "upload --port /dev/tw-no-such-device -o x.qcf");
  EXPECT_EQ(up.status, 1);
  EXPECT_EQ(up.err.rfind("tunewright-cli: COM port error has occurred.", 0), 0u) << up.err;
  EXPECT_EQ(up.err.find('\n'), up.err.size() - 1) << "one line";
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.qcf"));

  ASSERT_EQ(RunCli(folder, "upload --emulator -o a.qcf").status, 0);
  const CliResult down = RunCli(folder, "download --port /dev/tw-no-such-device a.qcf");
  EXPECT_EQ(down.status, 1);
  EXPECT_EQ(down.err.rfind("tunewright-cli: COM port error has occurred.", 0), 0u) << down.err;
}

// A USB adapter pulled out in the middle: one line that says the device is gone and what to
// do, exit 1, and no configuration file from a cut-short upload.
TEST(TransferCli, ADeviceThatGoesAwayMidTransferEndsItWithOneClearLine) {
  TempFolder folder("transfer_vanish");
  ASSERT_EQ(RunCli(folder, "upload --emulator -o a.qcf").status, 0);
  for (const std::string arguments :
       {"upload --emulator --emulator-option vanish-at=20000 -o x.qcf",
        "download --emulator --emulator-option vanish-at=5000 a.qcf"}) {
    const CliResult run = RunCli(folder, arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    const bool download = arguments.rfind("download", 0) == 0;
    EXPECT_EQ(run.err,
              "tunewright-cli: Cable Check Error The serial device emulator is gone: was its USB adapter "
              "pulled out? Plug it in again, choose its port and try again." +
                  std::string(download ? " The receiver now holds a mixture of the settings of a.qcf and its "
                                         "own; sending the file again completes it: tunewright-cli download "
                                         "--emulator a.qcf."
                                       : "") + "\n")
        << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.qcf"));
}

TEST(DownloadCli, SendsAnUploadedFileToAnotherReceiver) {
  TempFolder folder("download_ok");
  ASSERT_EQ(RunCli(folder, "upload --emulator --emulator-option seed=3 -o a.qcf").status, 0);
  const CliResult down = RunCli(folder, "download --emulator --emulator-option seed=8 a.qcf");
  EXPECT_EQ(down.status, 0) << down.err;
  EXPECT_EQ(down.err, "");
}

TEST(TransferCli, AnUploadWithACommandGivenUpExitsOneAndPointsToTheErrorLog) {
  TempFolder folder("upload_given_up");
  // The receiver refuses to read one of the rows of the current settings.
  const CliResult up = RunCliIn(folder.path(), "upload --emulator --emulator-option error-rows=20 -o x.qcf",
                                kOwnSettings + "XDG_STATE_HOME=\"$PWD/state\" ");
  EXPECT_EQ(up.status, 1);
  // A setting it could not read is not written back either.
  EXPECT_EQ(up.err.rfind("tunewright-cli: The upload did not complete: 1 of ", 0), 0u) << up.err;
  const std::filesystem::path log = folder.path() / "state" / "tunewright" / "ErrLog.txt";
  EXPECT_NE(up.err.find(log.string()), std::string::npos) << up.err;
  EXPECT_EQ(up.err.find('\n'), up.err.size() - 1) << "one line";
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.qcf"));
  EXPECT_NE(ReadAll(log).find("DC4, \"2009"), std::string::npos) << ReadAll(log);
}

TEST(TransferCli, TheErrorLogNamesARefusedGraphicEqBandWithItsChannel) {
  TempFolder folder("download_band_refused");
  WriteAll(folder.path() / "a.qcf", "[Speaker Level]\r\nFL=1.0dB\r\n");
  // Row 502: the Subwoofer's band 1.
  const CliResult down = RunCliIn(folder.path(), "download --emulator --fill-defaults --emulator-option error-rows=502 a.qcf",
                                  kOwnSettings + "XDG_STATE_HOME=\"$PWD/state\" ");
  EXPECT_EQ(down.status, 1) << down.err;
  const std::string log = ReadAll(folder.path() / "state" / "tunewright" / "ErrLog.txt");
  EXPECT_NE(log.find("(Subwoofer) Band 1 (63Hz) Gain"), std::string::npos) << log;
}

// The write-back after the memories were read was refused: the complete file is kept.
TEST(TransferCli, AnUploadWhoseWriteBackFailedKeepsTheCompleteFile) {
  TempFolder folder("upload_write_back");
  const CliResult up = RunCli(folder, "upload --emulator --emulator-option seed=4 --emulator-option guard-rows=20 -o x.qcf");
  EXPECT_EQ(up.status, 3);
  EXPECT_EQ(up.err.rfind("tunewright-cli: saved the receiver's configuration to x.qcf: the file is complete.", 0), 0u);
  EXPECT_NE(up.err.find("[DSP Parameters Hall in Munich] "), std::string::npos) << up.err;
  EXPECT_NE(up.err.find("tunewright-cli download --emulator x.qcf"), std::string::npos) << up.err;
  ASSERT_EQ(RunCli(folder, "upload --emulator --emulator-option seed=4 -o clean.qcf").status, 0);
  EXPECT_EQ(ReadAll(folder.path() / "x.qcf"), ReadAll(folder.path() / "clean.qcf"));
}

// A file that lacks settings would put factory values on the receiver: refused before
// anything connects, unless --fill-defaults asks for it.
TEST(DownloadCli, AFileThatLacksSettingsIsRefusedUnlessFillDefaultsIsGiven) {
  TempFolder folder("download_partial");
  WriteAll(folder.path() / "one.qcf", "[Speaker Level]\r\nFL=1.0dB\r\n");
  const CliResult refused = RunCli(folder, "download --emulator --transcript t.txt one.qcf");
  EXPECT_EQ(refused.status, 2);
  for (const char* said : {"\"one.qcf\" is not a complete configuration: it lacks ", " sections ([Basic Control]",
                           " more). ", "factory values", "--fill-defaults"}) {
    EXPECT_NE(refused.err.find(said), std::string::npos) << said << " in " << refused.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "t.txt")) << "nothing connected";
  const CliResult filled = RunCli(folder, "download --emulator --fill-defaults one.qcf");
  EXPECT_EQ(filled.status, 0) << filled.err;
  EXPECT_NE(filled.err.find("hold the values Tunewright had: factory values"), std::string::npos) << filled.err;
}

// The transcript never replaces the file the command reads or has just written.
TEST(TransferCli, TheTranscriptNeverReplacesTheCommandsOwnFile) {
  TempFolder folder("transcript_own");
  ASSERT_EQ(RunCli(folder, "upload --emulator -o a.qcf").status, 0);
  const std::string configuration = ReadAll(folder.path() / "a.qcf");
  const CliResult down = RunCli(folder, "download --emulator --transcript a.qcf a.qcf --force");
  EXPECT_EQ(down.status, 2);
  EXPECT_NE(down.err.find("same file as \"a.qcf\""), std::string::npos) << down.err;
  EXPECT_EQ(ReadAll(folder.path() / "a.qcf"), configuration);

  const CliResult up = RunCli(folder, "upload --emulator -o b.qcf --transcript b.qcf --force");
  EXPECT_EQ(up.status, 2);
  EXPECT_NE(up.err.find("transcript was not written"), std::string::npos) << up.err;
  EXPECT_EQ(ReadAll(folder.path() / "b.qcf"), configuration);
}

// A log that cannot be written is said, after the failure the user needs to know about.
TEST(TransferCli, ALogThatCannotBeWrittenIsSaidAfterTheRealFailure) {
  TempFolder folder("log_unwritable");
  std::filesystem::create_directories(folder.path() / "state" / "tunewright" / "ErrLog.txt");
  const CliResult up = RunCliIn(folder.path(), "upload --emulator --emulator-option error-rows=20 -o x.qcf",
                                kOwnSettings + "XDG_STATE_HOME=\"$PWD/state\" ");
  EXPECT_EQ(up.status, 1);
  EXPECT_EQ(up.err.rfind("tunewright-cli: The upload did not complete: ", 0), 0u) << up.err;
  EXPECT_NE(up.err.find("\ntunewright-cli: The log "), std::string::npos) << up.err;
}

TEST(DownloadCli, AMalformedFileIsBadInputAndNothingConnects) {
  TempFolder folder("download_bad");
  WriteAll(folder.path() / "garbage.qcf", std::string("\x7f" "ELF\0\x01\x02 not a profile", 22));
  WriteAll(folder.path() / "foreign.qcf", "[Something]\r\nKey=Value\r\n");
  for (const char* file : {"garbage.qcf", "foreign.qcf", "absent.qcf"}) {
    SCOPED_TRACE(file);
    const CliResult result = RunCli(folder, std::string("download --port /dev/tw-no-such-device ") + file);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("COM port"), std::string::npos) << "it must not connect";
  }
}

}  // namespace
}  // namespace tw::test
