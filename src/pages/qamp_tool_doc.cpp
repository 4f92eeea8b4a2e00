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
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
    ui_.messageBox(kOpenFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    return false;
  }
  // The port and page in use are kept before the new document arranges the view again.
  bench_.view().StoreSettings();
  bool loaded = false;
  {
    ui::WaitCursor wait(ui_);
    loaded = static_cast<bool>(bench_.LoadConfiguration(path));
  }
  if (!loaded) {
    ui_.messageBox(kOpenFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    return false;
  }
  setPath(path);
  // A new document: the view arranges itself again and restores the stored port and page.
  bench_.InitialUpdate();
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
  bool saved = false;
  {
    ui::WaitCursor wait(ui_);
    saved = static_cast<bool>(bench_.SaveConfiguration(path));
  }
  if (!saved) {
    ui_.messageBox(kSaveFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
  }
  return saved;
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
