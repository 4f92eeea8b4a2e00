#include "ui/dialogs/tuner_region_dlg.h"

#include "comm/link.h"

namespace tw::ui {

TunerRegionDialog::TunerRegionDialog(comm::Link& link)
    : Dialog(kTemplate, "Tuner Region"),
      link_(link),
      prompt_(0, "Please choose \"Tuner Region.\""),
      regions_(0, "",
               {{1400, "AM9 / FM100  (Japan)"},
                {1401, "AM10 / FM200  (USA, Canada)"},
                {1402, "AM9 / FM50  (EU, Asia)"},
                {1403, "AM10 / FM100  (Other)"}}),
      ok_(kIdOk, "OK") {
  ok_.onClicked = [this] { OnOK(); };
  setLayout(Column({Item(prompt_), Item(regions_), Row({Item(ok_)})}), true);
}

void TunerRegionDialog::OnInitDialog() {
  region_ = link_.tunerRegion();
  regions_.setSelected(region_);
}

void TunerRegionDialog::OnOK() {
  // Radio buttons always leave one checked; a region the link held out of range checks
  // none, and then the link keeps its value rather than taking -1.
  if (regions_.selected() >= 0) {
    region_ = regions_.selected();
    link_.setTunerRegion(region_);
  }
  EndDialog(kIdOk);
}

}  // namespace tw::ui
