#include "session/configuration_document.h"

#include <filesystem>

#include "pages/system/memory_page.h"
#include "session/workbench.h"
#include "ui/main_view.h"

namespace tw::session {
namespace {

// The framework's own messages for files it cannot use.
constexpr std::string_view kOpenFailed = "Failed to open document.";
constexpr std::string_view kSaveFailed = "Failed to save document.";

// What each occasion would do to unsaved changes, said after the question.
struct OccasionText {
  ConfigurationDocument::Occasion occasion;
  std::string_view consequence;
};
constexpr OccasionText kOccasionTexts[] = {
    {ConfigurationDocument::Occasion::Close, "Closing Tunewright without saving loses them."},
    {ConfigurationDocument::Occasion::Open, "Opening another file replaces them."},
    {ConfigurationDocument::Occasion::Upload, "The upload replaces them with the receiver's settings."},
    {ConfigurationDocument::Occasion::MemoryLoad, "Loading the System Memory replaces some of the current settings."},
};

std::string_view ConsequenceOf(ConfigurationDocument::Occasion occasion) {
  for (const OccasionText& text : kOccasionTexts) {
    if (text.occasion == occasion) return text.consequence;
  }
  return {};
}

}  // namespace

ui::FileDialogRequest ConfigurationFileRequest(const std::string& initialPath) {
  return {"", "Configuration File (*.qcf)", ".qcf", initialPath};
}

ConfigurationDocument::ConfigurationDocument(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs)
    : bench_(bench), ui_(ui), dialogs_(dialogs) {
  markClean();
  bench_.view().confirmUpload = [this] { return SaveModified(Occasion::Upload); };
  bench_.memoryPage().confirmLoad = [this] { return SaveModified(Occasion::MemoryLoad); };
}

ConfigurationDocument::~ConfigurationDocument() {
  if (!bench_.hasWindow()) return;
  bench_.view().confirmUpload = nullptr;
  bench_.memoryPage().confirmLoad = nullptr;
}

void ConfigurationDocument::markClean() {
  clean_ = Contents{bench_.link().images().All(), bench_.userMemo()};
  CheckModified();
}

bool ConfigurationDocument::isModified() const {
  if (bench_.app().isRealTime() || !clean_) return false;
  return bench_.link().images().All() != clean_->images || bench_.userMemo() != clean_->memo;
}

void ConfigurationDocument::CheckModified() {
  const bool modified = isModified();
  if (modified == shownModified_) return;
  shownModified_ = modified;
  bench_.view().setDocumentModified(modified);
  if (onTitleChanged) onTitleChanged();
}

bool ConfigurationDocument::SaveModified(Occasion occasion) {
  CheckModified();
  if (!isModified()) return true;
  const std::string name = path_.empty() ? std::string("a configuration file")
                                         : "\"" + std::filesystem::path(path_).filename().string() + "\"";
  const std::string text = "The settings hold changes that are not saved in a file. Save them to " + name +
                           " first?\n\n" + std::string(ConsequenceOf(occasion));
  switch (ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation,
                         ui::MessageButtons::SaveDiscardCancel)) {
    case ui::MessageResult::Save:
      break;
    case ui::MessageResult::Discard:
      return true;
    default:
      return false;
  }
  // The user chose Save just now: that answers the overwrite question too.
  if (!path_.empty()) return write(path_);
  const auto chosen = ui_.askSaveFile(ConfigurationFileRequest(path_));
  if (!chosen || chosen->empty()) return false;
  if (!write(*chosen)) return false;
  setPath(*chosen);
  return true;
}

const std::string& ConfigurationDocument::userMemo() const { return bench_.userMemo(); }

std::string ConfigurationDocument::BuildReport() { return bench_.BuildReport(); }

void ConfigurationDocument::setPath(const std::string& path) {
  path_ = path;
  bench_.view().setDocumentTitle(std::filesystem::path(path).filename().string());
  if (onTitleChanged) onTitleChanged();
}

void ConfigurationDocument::Open() {
  if (!SaveModified(Occasion::Open)) return;
  if (const auto chosen = ui_.askOpenFile(ConfigurationFileRequest(path_))) OnOpenDocument(*chosen);
}

bool ConfigurationDocument::OnOpenDocument(const std::string& path) {
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
  markClean();
  bench_.InitialUpdate();
  if (!warnings.empty()) {
    std::string text;
    for (const std::string& line : warnings) text += (text.empty() ? "" : "\n") + line;
    ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
  }
  return true;
}

void ConfigurationDocument::Save() {
  if (path_.empty()) {
    SaveAs();
    return;
  }
  if (!ui::AskOkCancel(ui_, ui::msg::kOverwrite)) return;
  write(path_);
}

void ConfigurationDocument::SaveAs() {
  const auto chosen = ui_.askSaveFile(ConfigurationFileRequest(path_));
  if (!chosen || chosen->empty()) return;  // a cancelled Save As writes nothing anywhere
  if (write(*chosen)) setPath(*chosen);
}

bool ConfigurationDocument::write(const std::string& path) {
  files::FileStatus saved;
  {
    ui::WaitCursor wait(ui_);
    saved = bench_.SaveConfiguration(path);
  }
  if (!saved) {
    showFailure(kSaveFailed, saved.error);
    return false;
  }
  markClean();
  return true;
}

// The framework's message, then what went wrong in words a user can act on.
void ConfigurationDocument::showFailure(std::string_view message, const std::string& cause) {
  std::string text(message);
  if (!cause.empty()) text += "\n\n" + cause;
  ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
}

void ConfigurationDocument::UserMemo() {
  if (memoDialog_ && memoDialog_->isOpen()) return;
  memoDialog_ = std::make_unique<ui::UserMemoDialog>(bench_.userMemo());
  memoDialog_->DoModal(dialogs_, [this](int result) {
    if (result == ui::kIdOk) bench_.userMemo() = memoDialog_->memo();
    CheckModified();
  });
}

void ConfigurationDocument::MakeReport() {
  if (reportDialog_ && reportDialog_->isOpen()) return;
  reportDialog_ = std::make_unique<ui::ReportDialog>([this] { return BuildReport(); });
  reportDialog_->DoModal(dialogs_);
}

}  // namespace tw::session
