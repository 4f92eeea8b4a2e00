#include "ui/dialogs/startup_dialogs.h"

namespace tw::ui {

void DialogStartupUi::AskStartMode(std::function<void(int result)> done) {
  startMode_.DoModal(host_, std::move(done));
}

void DialogStartupUi::AskTunerRegion(comm::Link& link, std::function<void()> done) {
  tunerRegion_ = std::make_unique<TunerRegionDialog>(link);
  // Whatever ends it (OK, or Esc), start-up goes on.
  tunerRegion_->DoModal(host_, [done = std::move(done)](int) { done(); });
}

}  // namespace tw::ui
