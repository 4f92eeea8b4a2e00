#include "ui/dialogs/about_dlg.h"

namespace tw::ui {

AboutDialog::AboutDialog(std::string logFolder)
    : Dialog(kTemplate, "About Tunewright"),
      version_(0, "Tunewright for N4400 Version 1.02"),
      year_(0, "Copyright (C) 2026"),
      logs_(0, logFolder.empty() ? std::string() : "Communication logs: " + logFolder),
      ok_(kIdOk, "OK") {
  ok_.onClicked = [this] { EndDialog(kIdOk); };
  logs_.setVisible(!logFolder.empty());
  setLayout(Column({Item(version_), Item(year_), Item(logs_), Row({Item(ok_)})}));
}

}  // namespace tw::ui
