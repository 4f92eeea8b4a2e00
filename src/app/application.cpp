#include "app/application.h"

#include "files/profile.h"
#include "model/parameter_access.h"

namespace tw::app {

Application::Application(comm::SerialPort& port, comm::Scheduler& scheduler, Paths paths, CommLog::Clock clock)
    : port_(port), scheduler_(scheduler), paths_(std::move(paths)), log_(paths_.logFolder, std::move(clock)) {}

Application::~Application() = default;

void Application::InitInstance(const std::vector<std::string>& arguments, StartupUi& ui,
                                std::function<void(bool ok)> done) {
  commandLine_ = ParseCommandLine(arguments);
  // Nothing to register here: the switches only end the program, before any dialog and
  // before the settings are read (so shut-down leaves the file alone).
  if (commandLine_.registrationSwitch) {
    done(false);
    return;
  }
  ReadSettings();
  ui.AskStartMode([this, &ui, done = std::move(done)](int result) { chooseMode(result, ui, done); });
}

void Application::chooseMode(int result, StartupUi& ui, const std::function<void(bool)>& done) {
  if (result == kStartModeAsync) {
    workingMode_ = kAsyncMode;
  } else if (result == kStartModeRealTime) {
    workingMode_ = kRealTimeMode;
  } else {
    done(false);
    return;
  }
  link_ = std::make_unique<comm::Link>(
      port_, scheduler_, workingMode_ == kRealTimeMode ? comm::WorkingMode::RealTime : comm::WorkingMode::Async);
  link_->setLog(&log_);
  link_->setReadPacing(pacing_);
  if (workingMode_ == kRealTimeMode) {
    // The receiver reports its own region when the connection is made.
    done(true);
    return;
  }
  ui.AskTunerRegion(*link_, [this, done] {
    model::ResetTunerBlock(link_->images().All()[0], link_->tunerRegion());
    done(true);
  });
}

files::FileStatus Application::ExitInstance() {
  files::FileStatus written = WriteSettings();
  if (link_) link_->PortClose();
  return written;
}

void Application::ReadSettings() {
  files::Profile profile;
  (void)profile.Load(paths_.settingsFile);  // a missing file gives empty settings, quietly
  settings_ = SettingsOf(profile);
  pacing_ = pacingChosen_.value_or(PacingOf(profile));
  settingsRead_ = true;
}

files::FileStatus Application::WriteSettings() {
  // A run that never read the file must not replace it with empty values.
  if (!settingsRead_) return files::FileStatus::Success();
  return WriteSettingsFile(paths_.settingsFile, settings_);
}

const std::string& Application::setting(int index) const {
  static const std::string kNone;
  if (index < 0 || index >= static_cast<int>(settings_.size())) return kNone;
  return settings_[static_cast<std::size_t>(index)];
}

void Application::setSetting(int index, std::string value) {
  if (index < 0 || index >= static_cast<int>(settings_.size())) return;
  // As read back through a 256-byte buffer, so that memory and file agree.
  if (value.size() > files::kProfileBufferSize - 1) value.resize(files::kProfileBufferSize - 1);
  settings_[static_cast<std::size_t>(index)] = std::move(value);
}

}  // namespace tw::app
