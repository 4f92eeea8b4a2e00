#include "gui/qamp_tool_doc.h"

#include <filesystem>

#include "ui/main_view.h"

namespace tw::gui {
namespace {

// The framework's own messages for files it cannot use.
constexpr std::string_view kOpenFailed = "Failed to open document.";
constexpr std::string_view kSaveFailed = "Failed to save document.";

}  // namespace

ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath) {
  return {"", "Configuration File (*.qcf)", ".qcf", initialPath};
}

CQAmpToolDoc::CQAmpToolDoc(ui::CQAmpToolView& view, ui::UiServices& ui, ui::DialogHost& dialogs,
                           ConfigurationFiles* files)
    : view_(view), ui_(ui), dialogs_(dialogs), files_(files) {}

void CQAmpToolDoc::setPath(const std::string& path) {
  path_ = path;
  view_.setDocumentTitle(std::filesystem::path(path).filename().string());
  if (onTitleChanged) onTitleChanged();
}

void CQAmpToolDoc::Open() {
  if (!files_) return;
  if (const auto chosen = ui_.askOpenFile(ConfigurationFileRequest(path_))) OnOpenDocument(*chosen);
}

bool CQAmpToolDoc::OnOpenDocument(const std::string& path) {
  if (!files_) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    ui_.messageBox(kOpenFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    return false;
  }
  view_.StoreSettings();
  bool loaded = false;
  {
    ui::WaitCursor wait(ui_);
    loaded = files_->Load(path);
  }
  if (!loaded) {
    ui_.messageBox(kOpenFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    return false;
  }
  setPath(path);
  // A new document: the view arranges itself again and restores the stored port and page.
  view_.OnInitialUpdate();
  return true;
}

void CQAmpToolDoc::Save() {
  if (!files_) return;
  if (path_.empty()) {
    SaveAs();
    return;
  }
  if (!ui::AskOkCancel(ui_, ui::msg::kOverwrite)) return;
  write(path_);
}

void CQAmpToolDoc::SaveAs() {
  if (!files_) return;
  const auto chosen = ui_.askSaveFile(ConfigurationFileRequest(path_));
  if (!chosen || chosen->empty()) return;  // a cancelled Save As writes nothing anywhere
  if (write(*chosen)) setPath(*chosen);
}

bool CQAmpToolDoc::write(const std::string& path) {
  bool saved = false;
  {
    ui::WaitCursor wait(ui_);
    saved = files_->Save(path);
  }
  if (!saved) {
    ui_.messageBox(kSaveFailed, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
  }
  return saved;
}

void CQAmpToolDoc::UserMemo() {
  if (memoDialog_ && memoDialog_->isOpen()) return;
  memoDialog_ = std::make_unique<ui::CUserMemoDlg>(userMemo_);
  memoDialog_->DoModal(dialogs_, [this](int result) {
    if (result == ui::kIdOk) userMemo_ = memoDialog_->memo();
  });
}

void CQAmpToolDoc::MakeReport() {
  if (reportDialog_ && reportDialog_->isOpen()) return;
  reportDialog_ = std::make_unique<ui::CReportDlg>([this] { return BuildReport(); });
  reportDialog_->DoModal(dialogs_);
}

}  // namespace tw::gui
