#include "pages/qamp_tool_doc.h"

#include <filesystem>

#include "pages/workbench.h"
#include "ui/main_view.h"

namespace tw::pages {
namespace {

// The framework's own messages for files it cannot use.
constexpr std::string_view kOpenFailed = "Failed to open document.";
constexpr std::string_view kSaveFailed = "Failed to save document.";

}  // namespace

ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath) {
  return {"", "Configuration File (*.qcf)", ".qcf", initialPath};
}

CQAmpToolDoc::CQAmpToolDoc(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs)
    : bench_(bench), ui_(ui), dialogs_(dialogs) {}

const std::string& CQAmpToolDoc::userMemo() const { return bench_.userMemo(); }

std::string CQAmpToolDoc::BuildReport() { return bench_.BuildReport(); }

void CQAmpToolDoc::setPath(const std::string& path) {
  path_ = path;
  bench_.view().setDocumentTitle(std::filesystem::path(path).filename().string());
  if (onTitleChanged) onTitleChanged();
}

void CQAmpToolDoc::Open() {
  if (const auto chosen = ui_.askOpenFile(ConfigurationFileRequest(path_))) OnOpenDocument(*chosen);
}

bool CQAmpToolDoc::OnOpenDocument(const std::string& path) {
  if (path.empty()) {
    showFailure(kOpenFailed, "No file was named.");
    return false;
  }
  files::FileStatus status;
  std::vector<std::string> warnings;
  {
    ui::WaitCursor wait(ui_);
    status = bench_.LoadConfiguration(path, &warnings);
  }
  if (!status) {
    showFailure(kOpenFailed, status.error);
    return false;
  }
  // The port and page in use are kept before the new document arranges the view again.
  bench_.view().StoreSettings();
  setPath(path);
  bench_.InitialUpdate();
  if (!warnings.empty()) {
    std::string text;
    for (const std::string& line : warnings) text += (text.empty() ? "" : "\n") + line;
    ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
  }
  return true;
}

void CQAmpToolDoc::Save() {
  if (path_.empty()) {
    SaveAs();
    return;
  }
  if (!ui::AskOkCancel(ui_, ui::msg::kOverwrite)) return;
  write(path_);
}

void CQAmpToolDoc::SaveAs() {
  const auto chosen = ui_.askSaveFile(ConfigurationFileRequest(path_));
  if (!chosen || chosen->empty()) return;  // a cancelled Save As writes nothing anywhere
  if (write(*chosen)) setPath(*chosen);
}

bool CQAmpToolDoc::write(const std::string& path) {
  files::FileStatus saved;
  {
    ui::WaitCursor wait(ui_);
    saved = bench_.SaveConfiguration(path);
  }
  if (!saved) showFailure(kSaveFailed, saved.error);
  return static_cast<bool>(saved);
}

// The framework's message, then what went wrong in words a user can act on.
void CQAmpToolDoc::showFailure(std::string_view message, const std::string& cause) {
  std::string text(message);
  if (!cause.empty()) text += "\n\n" + cause;
  ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
}

void CQAmpToolDoc::UserMemo() {
  if (memoDialog_ && memoDialog_->isOpen()) return;
  memoDialog_ = std::make_unique<ui::CUserMemoDlg>(bench_.userMemo());
  memoDialog_->DoModal(dialogs_, [this](int result) {
    if (result == ui::kIdOk) bench_.userMemo() = memoDialog_->memo();
  });
}

void CQAmpToolDoc::MakeReport() {
  if (reportDialog_ && reportDialog_->isOpen()) return;
  reportDialog_ = std::make_unique<ui::CReportDlg>([this] { return BuildReport(); });
  reportDialog_->DoModal(dialogs_);
}

}  // namespace tw::pages
