#pragma once

#include "ui/controls/button.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/dialog.h"

namespace tw::comm {
class Link;
}

namespace tw::ui {

// Asks at start-up (Async Mode) which tuner region the receiver has. OK stores the checked
// region into the link; Esc leaves the link's region as it was.
class TunerRegionDialog final : public Dialog {
 public:
  static constexpr int kTemplate = 157;

  explicit TunerRegionDialog(comm::Link& link);

  RadioGroup& regions() { return regions_; }
  Button& okButton() { return ok_; }
  int region() const { return region_; }

 private:
  void OnInitDialog() override;
  void OnOK();

  comm::Link& link_;
  int region_ = 0;
  StaticText prompt_;
  RadioGroup regions_;
  Button ok_;
};

}  // namespace tw::ui
