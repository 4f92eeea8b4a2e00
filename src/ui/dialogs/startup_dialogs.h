#pragma once

#include "app/qamp_tool_app.h"
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
  void AskTunerRegion(comm::CCommClass& link, std::function<void()> done) override;

  CStartModeDlg& startMode() { return startMode_; }
  // Exists once the Tuner Region question was asked.
  CTunerRegionDlg* tunerRegion() { return tunerRegion_.get(); }

 private:
  DialogHost& host_;
  CStartModeDlg startMode_;
  std::unique_ptr<CTunerRegionDlg> tunerRegion_;
};

}  // namespace tw::ui
