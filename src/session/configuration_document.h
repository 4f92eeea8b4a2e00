#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/parameter_image.h"
#include "model/parameter_images.h"
#include "ui/dialogs/dialog.h"
#include "ui/dialogs/report_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"
#include "ui/ui_services.h"

namespace tw::session {

class Workbench;

// The document: no data of its own, only the file commands that tie the workbench's
// configuration file to a path, and the user memo and report commands. Toolkit-free; the
// window calls it. Needs the workbench's window parts, so it is built after Start.
//
// In Async Mode the document knows when its settings hold changes that are in no file (an
// edit, an upload, a memory copy, the memo): it compares them with those last opened or
// saved. Before Close, Open, an Upload or a System Memory Load would lose such changes, it
// asks Save / Discard / Cancel. In Real Time Mode every edit is on the receiver already, and
// there are no file commands: nothing is asked.
class ConfigurationDocument {
 public:
  ConfigurationDocument(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs);
  ~ConfigurationDocument();
  ConfigurationDocument(const ConfigurationDocument&) = delete;
  ConfigurationDocument& operator=(const ConfigurationDocument&) = delete;

  // What would lose unsaved changes.
  enum class Occasion { Close, Open, Upload, MemoryLoad };
  bool isModified() const;
  // The window title follows isModified(): front ends call this after anything that may
  // have changed the settings (user input, the end of a transfer).
  void CheckModified();
  // True to go on with `occasion`. With unsaved changes it asks first: Save saves (Save As
  // without a path) and goes on only once saved, Discard goes on, Cancel stops.
  bool SaveModified(Occasion occasion);

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
  ui::ReportDialog* reportDialog() const { return reportDialog_ && reportDialog_->isOpen() ? reportDialog_.get() : nullptr; }

  // The document title changed (a file was opened or saved under a new name).
  std::function<void()> onTitleChanged;

 private:
  bool write(const std::string& path);
  void showFailure(std::string_view message, const std::string& cause);
  void setPath(const std::string& path);
  void markClean();

  struct Contents {
    std::array<model::ParameterImage, model::kImageCount> images;
    std::string memo;
  };

  Workbench& bench_;
  ui::UiServices& ui_;
  ui::DialogHost& dialogs_;
  std::string path_;
  // The settings as last opened or saved (or at start).
  std::optional<Contents> clean_;
  bool shownModified_ = false;
  std::unique_ptr<ui::UserMemoDialog> memoDialog_;
  std::unique_ptr<ui::ReportDialog> reportDialog_;
};

// The file dialog request of the configuration files.
ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath);

}  // namespace tw::session
