#include "ui/dialogs/about_dlg.h"

namespace tw::ui {

CAboutDlg::CAboutDlg()
    : Dialog(kTemplate, "About Tunewright"),
      version_(0, "Tunewright for N4400 Version 1.02"),
      year_(0, "Copyright (C) 2026"),
      ok_(kIdOk, "OK") {
  ok_.onClicked = [this] { EndDialog(kIdOk); };
  setLayout(Column({Item(version_), Item(year_), Row({Item(ok_)})}));
}

}  // namespace tw::ui
