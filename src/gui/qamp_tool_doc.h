#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/dialogs/dialog.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"
#include "ui/ui_services.h"

namespace tw::ui {
class CQAmpToolView;
}

namespace tw::gui {

// What the document needs from the configuration file and the report.
class ConfigurationFiles {
 public:
  virtual ~ConfigurationFiles() = default;
  // Reads the file into the images and refreshes the pages; false when it cannot be read.
  virtual bool Load(const std::string& path) = 0;
  // Writes the whole configuration; false (and the old file intact) when it cannot.
  virtual bool Save(const std::string& path) = 0;
  virtual std::string BuildReport() = 0;
};

// The document: no data of its own, only the file commands that tie the configuration file
// to a path, and the user memo and report commands. Toolkit-free; the window calls it.
class CQAmpToolDoc {
 public:
  CQAmpToolDoc(ui::CQAmpToolView& view, ui::UiServices& ui, ui::DialogHost& dialogs,
               ConfigurationFiles* files);

  // Whether the configuration file can be read and written in this build.
  bool hasFiles() const { return files_ != nullptr; }
  const std::string& path() const { return path_; }

  // File Open: the file dialog, then OnOpenDocument.
  void Open();
  // Opens `path` (also a file named on the command line); true when it was read. Opening
  // the file that is already open reads it again.
  bool OnOpenDocument(const std::string& path);
  // File Save: over an existing file only after the overwrite question; without a path it
  // is Save As.
  void Save();
  // File Save As: the dialog with the configuration filter; cancelled, nothing is written.
  void SaveAs();
  // Tool User Memo and Make Report.
  void UserMemo();
  void MakeReport();
  std::string BuildReport() const { return files_ ? files_->BuildReport() : std::string(); }

  const std::string& userMemo() const { return userMemo_; }
  void setUserMemo(std::string memo) { userMemo_ = std::move(memo); }

  // The document title changed (a file was opened or saved under a new name).
  std::function<void()> onTitleChanged;

 private:
  bool write(const std::string& path);
  void setPath(const std::string& path);

  ui::CQAmpToolView& view_;
  ui::UiServices& ui_;
  ui::DialogHost& dialogs_;
  ConfigurationFiles* files_;
  std::string path_;
  std::string userMemo_;
  std::unique_ptr<ui::CUserMemoDlg> memoDialog_;
  std::unique_ptr<ui::CReportDlg> reportDialog_;
};

// The file dialog request of the configuration files.
ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath);

}  // namespace tw::gui
