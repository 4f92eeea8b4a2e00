#include "gui/startup.h"

namespace tw::gui {

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& arguments) {
  DesktopOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--demo") {
      options.demo = true;
    } else if (argument == "--screenshots") {
      options.screenshots = hasValue ? arguments[++i] : std::string();
      if (options.screenshots.empty()) options.error = "--screenshots takes a folder";
    } else if (argument == "--mode") {
      const std::string value = hasValue ? arguments[++i] : std::string();
      if (value == "async") {
        options.startMode = app::kStartModeAsync;
      } else if (value == "realtime") {
        options.startMode = app::kStartModeRealTime;
      } else {
        options.error = "--mode takes async or realtime";
      }
    } else if (argument == "--region") {
      const std::string value = hasValue ? arguments[++i] : std::string();
      if (value.size() == 1 && value[0] >= '0' && value[0] <= '3') {
        options.tunerRegion = value[0] - '0';
      } else {
        options.error = "--region takes 0, 1, 2 or 3";
      }
    } else {
      options.rest.push_back(argument);
    }
  }
  return options;
}

void DesktopStartupUi::AskStartMode(std::function<void(int result)> done) {
  if (options_.startMode) {
    done(*options_.startMode);
    return;
  }
  dialogs_.AskStartMode(std::move(done));
}

void DesktopStartupUi::AskTunerRegion(comm::CCommClass& link, std::function<void()> done) {
  if (options_.tunerRegion) {
    link.setTunerRegion(*options_.tunerRegion);
    done();
    return;
  }
  dialogs_.AskTunerRegion(link, std::move(done));
}

}  // namespace tw::gui
