#pragma once

// The application object on the virtual clock: the link's fake port with its scripted
// receiver, settings and logs in a scratch folder, start-up questions answered by the test.

#include "app/log_format.h"
#include "app/application.h"
#include "comm/link_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tw::app::test {

// The fake port, with a list of the devices it reports as present.
class ListedPort final : public comm::SerialPort {
 public:
  explicit ListedPort(comm::test::FakePort& port) : port_(port) {}
  bool open(const std::string& device) override { return port_.open(device); }
  void close() override { port_.close(); }
  bool isOpen() const override { return port_.isOpen(); }
  bool write(std::string_view bytes) override { return port_.write(bytes); }
  std::string readAll() override { return port_.readAll(); }
  bool ctsOn() const override { return port_.ctsOn(); }
  void setReadyReadHandler(std::function<void()> handler) override { port_.setReadyReadHandler(std::move(handler)); }
  std::string lastError() const override { return port_.lastError(); }
  std::vector<std::string> availablePorts() const override { return devices; }

  std::vector<std::string> devices;

 private:
  comm::test::FakePort& port_;
};

// A scratch folder per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() / "tunewright-tests" /
            (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Start-up questions answered by the test.
class AnsweringStartupUi final : public StartupUi {
 public:
  void AskStartMode(std::function<void(int)> done) override {
    ++startModeAsked;
    done(startModeAnswer);
  }
  void AskTunerRegion(comm::Link& link, std::function<void()> done) override {
    ++tunerRegionAsked;
    if (tunerRegionAnswer >= 0) link.setTunerRegion(tunerRegionAnswer);
    done();
  }
  int startModeAnswer = kStartModeRealTime;
  int tunerRegionAnswer = -1;
  int startModeAsked = 0;
  int tunerRegionAsked = 0;
};

struct AppFixture {
  explicit AppFixture(const std::filesystem::path& folder)
      : port(scheduler), receiver(port), listed(port),
        app(listed, scheduler, Application::Paths{folder / "tunewright.ini", folder},
            [this] { return kEpoch + std::chrono::milliseconds(scheduler.now()); }) {}

  // Wall time of the logs follows the virtual clock, from a fixed start.
  static inline const std::chrono::system_clock::time_point kEpoch =
      std::chrono::system_clock::time_point{} + std::chrono::hours(480000);

  std::string logTime() const { return FormatDateTime(kEpoch + std::chrono::milliseconds(scheduler.now())); }

  bool start(int startMode, std::vector<std::string> arguments = {}) {
    startup.startModeAnswer = startMode;
    bool result = false;
    app.InitInstance(arguments, startup, [&](bool ok) { result = ok; });
    return result;
  }

  comm::VirtualScheduler scheduler;
  comm::test::FakePort port;
  comm::test::ScriptedReceiver receiver;
  ListedPort listed;
  AnsweringStartupUi startup;
  Application app;
};

}  // namespace tw::app::test
