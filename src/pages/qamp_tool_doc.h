#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/dialogs/dialog.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"
#include "ui/ui_services.h"

namespace tw::pages {

class Workbench;

// The document: no data of its own, only the file commands that tie the workbench's
// configuration file to a path, and the user memo and report commands. Toolkit-free; the
// window calls it. Needs the workbench's window parts, so it is built after Start.
class CQAmpToolDoc {
 public:
  CQAmpToolDoc(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs);

  const std::string& path() const { return path_; }

  // File Open: the file dialog, then OnOpenDocument.
  void Open();
  // Opens `path` (also a file named on the command line); true when it was read. Opening
  // the file that is already open reads it again. A file that cannot be read, or sets
  // nothing, is refused with the cause; settings it lacks and entries it could not take
  // are warned about once it is open.
  bool OnOpenDocument(const std::string& path);
  // File Save: over an existing file only after the overwrite question; without a path it
  // is Save As.
  void Save();
  // File Save As: the dialog with the configuration filter; cancelled, nothing is written.
  void SaveAs();
  // Tool User Memo and Make Report.
  void UserMemo();
  void MakeReport();
  std::string BuildReport();

  // The memo lives with the configuration (saved and read with the file).
  const std::string& userMemo() const;

  // The open report and memo dialogs (null when none is open), for the window's tests.
  ui::CReportDlg* reportDialog() const { return reportDialog_ && reportDialog_->isOpen() ? reportDialog_.get() : nullptr; }

  // The document title changed (a file was opened or saved under a new name).
  std::function<void()> onTitleChanged;

 private:
  bool write(const std::string& path);
  void showFailure(std::string_view message, const std::string& cause);
  void setPath(const std::string& path);

  Workbench& bench_;
  ui::UiServices& ui_;
  ui::DialogHost& dialogs_;
  std::string path_;
  std::unique_ptr<ui::CUserMemoDlg> memoDialog_;
  std::unique_ptr<ui::CReportDlg> reportDialog_;
};

// The file dialog request of the configuration files.
ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath);

}  // namespace tw::pages
