#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "ui/dialogs/startup_dialogs.h"

namespace tw::gui {

// A window size in pixels, as "WIDTHxHEIGHT" on the command line.
struct WindowSize {
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

// The desktop program's own options, taken off the command line before the application
// sees the rest (a configuration file, "RegServer", "UnregServer").
struct DesktopOptions {
  std::optional<int> startMode;    // --mode async|realtime: app::kStartModeAsync / kStartModeRealTime
  std::optional<int> tunerRegion;  // --region N (0..3)
  std::optional<comm::ReadPacing> pacing;  // --pacing reply|mandated
  bool demo = false;               // --demo: offer and select the built-in virtual receiver
  std::string screenshots;         // --screenshots DIR: write PNGs of the window and dialogs, then end
  WindowSize screenshotSize;       // --size WxH: the window's size in the screenshots
  std::vector<std::string> rest;   // everything else, in order
  std::string error;               // a bad option, said in one line; empty when all is well
};

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& arguments);

// The program's arguments once the application has taken its own options off, without the
// program's name, as the bytes the command line gave.
std::vector<std::string> ProgramArguments();

// The text of --help or --version when the command line asks for it (answered before any
// window system is needed), else nothing.
std::optional<std::string> EarlyAnswer(const std::vector<std::string>& arguments);

// The start-up questions: answered from the options when given, otherwise by the dialogs.
class DesktopStartupUi final : public app::StartupUi {
 public:
  DesktopStartupUi(ui::DialogHost& host, const DesktopOptions& options) : dialogs_(host), options_(options) {}

  void AskStartMode(std::function<void(int result)> done) override;
  void AskTunerRegion(comm::Link& link, std::function<void()> done) override;

 private:
  ui::DialogStartupUi dialogs_;
  const DesktopOptions& options_;
};

}  // namespace tw::gui
