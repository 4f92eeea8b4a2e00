#include "ui/dialogs/report_dlg.h"

namespace tw::ui {

ReportDialog::ReportDialog(std::function<std::string()> buildReport)
    : Dialog(kTemplate, "Report"), buildReport_(std::move(buildReport)), edit_(kReportEdit), close_(kIdOk, "Close") {
  edit_.setMultiLine(true);
  edit_.setReadOnly(true);
  // The report's ruled lines and columns only read right as they stand.
  edit_.setPreformatted(true);
  edit_.setUtf8(true);  // the user's memo may hold any character
  close_.onClicked = [this] { EndDialog(kIdOk); };
  setLayout(Column({Item(edit_), Row({Item(close_)})}));
}

void ReportDialog::OnInitDialog() { edit_.setText(buildReport_ ? buildReport_() : std::string()); }

}  // namespace tw::ui
