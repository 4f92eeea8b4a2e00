#pragma once

#include "app/application.h"
#include "ui/dialogs/start_mode_dlg.h"
#include "ui/dialogs/tuner_region_dlg.h"

#include <memory>

namespace tw::ui {

// The start-up questions of the application as the two dialogs, shown through `host`
// (no owner window exists yet).
class DialogStartupUi final : public app::StartupUi {
 public:
  explicit DialogStartupUi(DialogHost& host) : host_(host) {}

  void AskStartMode(std::function<void(int result)> done) override;
  void AskTunerRegion(comm::Link& link, std::function<void()> done) override;

  StartModeDialog& startMode() { return startMode_; }
  // Exists once the Tuner Region question was asked.
  TunerRegionDialog* tunerRegion() { return tunerRegion_.get(); }

 private:
  DialogHost& host_;
  StartModeDialog startMode_;
  std::unique_ptr<TunerRegionDialog> tunerRegion_;
};

}  // namespace tw::ui
