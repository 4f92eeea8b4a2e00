#include "session/receiver_comparison.h"

#include <filesystem>

#include "comm/link.h"
#include "files/profile.h"
#include "session/configuration_document.h"
#include "session/workbench.h"
#include "settings/configuration_check.h"
#include "settings/offline_configuration.h"

namespace tw::session {
namespace {

constexpr std::string_view kCaption = "Compare with Receiver";

}  // namespace

ReceiverComparison::ReceiverComparison(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs)
    : bench_(bench), ui_(ui), dialogs_(dialogs) {}

ReceiverComparison::~ReceiverComparison() = default;

settings::SettingContext ReceiverComparison::context() const {
  const comm::Link& link = bench_.link();
  return {link.capabilities(), link.tunerRegion(), true};
}

void ReceiverComparison::Start() {
  if (const auto chosen = ui_.askOpenFile(ConfigurationFileRequest({}))) CompareWith(*chosen);
}

void ReceiverComparison::CompareWith(const std::string& path) {
  comm::Link& link = bench_.link();
  auto say = [this](const std::string& text, ui::MessageIcon icon) {
    ui_.messageBox(text, kCaption, icon, ui::MessageButtons::Ok);
  };
  if (!link.isPortOpen() || link.isSendingCommands()) {
    return say("Open the connection to the receiver first: the comparison needs the settings it reports.",
               ui::MessageIcon::Exclamation);
  }
  // The file as a download would leave the receiver: the factory settings, then the file.
  const std::string name = "\"" + std::filesystem::path(path).filename().string() + "\"";
  files::Profile file;
  settings::OfflineConfiguration configured(link.tunerRegion());
  files::FileStatus read = file.Load(path);
  if (read) {
    if (auto refusal = settings::DescribeRefusal(configured.LoadChecked(file), name)) {
      read = files::FileStatus::Failure(std::move(*refusal));
    }
  }
  if (!read) return say("Cannot compare with " + name + ". " + read.error, ui::MessageIcon::Stop);
  std::vector<settings::SettingDifference> differences =
      settings::CompareCurrentSettings(*link.images().Image(0), *configured.images.Image(0), file, context());
  if (differences.empty()) {
    compared_.clear();
    markPages();
    return say("The receiver holds every setting of " + name + " that it reports.", ui::MessageIcon::Information);
  }
  compared_ = differences;
  markPages();
  dialog_ = std::make_unique<ui::CompareDialog>(std::filesystem::path(path).filename().string(), std::move(differences));
  dialog_->DoModal(dialogs_, [this](int result) {
    if (result == ui::kIdOk) apply(dialog_->chosen());
  });
}

void ReceiverComparison::apply(const std::vector<settings::SettingDifference>& chosen) {
  comm::Link& link = bench_.link();
  if (!link.isPortOpen() || link.isSendingCommands()) {
    ui_.messageBox("The connection closed before Apply: nothing was sent.", kCaption, ui::MessageIcon::Exclamation,
                   ui::MessageButtons::Ok);
    return;
  }
  sending_ = chosen;  // the refusals point into it
  settings::AppliedSettings applied = settings::ApplySettings(*link.images().Image(0), sending_, context());
  const std::vector<settings::SettingCommand> commands = settings::ApplyCommands(applied.image, sending_, context());
  refused_ = std::move(applied.refused);
  // As a page sends an edit: the settings take the new values, and the link puts back the
  // receiver's own for any write it refuses or does not acknowledge.
  *link.images().Image(0) = applied.image;
  bench_.view().RefreshAllPages();
  waiting_ = !commands.empty();
  for (const settings::SettingCommand& command : commands) link.SendPacket(command.text, command.number);
  if (waiting_) {
    link.SendPacket("", comm::kNoParameter);
  } else {
    CommandsFinished(comm::ListResult::Completed);
  }
}

void ReceiverComparison::markPages() {
  const model::ParameterImage& now = *bench_.link().images().Image(0);
  std::set<std::string> captions;
  for (const settings::SettingDifference& d : compared_) {
    if (d.receiverLacks) continue;
    if (settings::ValueIn(d, now) != d.fileValue) captions.insert(d.page->caption());
  }
  if (onDifferingPages) onDifferingPages(captions);
}

void ReceiverComparison::CommandsFinished(comm::ListResult) {
  if (!waiting_ && sending_.empty()) return;
  waiting_ = false;
  const model::ParameterImage& now = *bench_.link().images().Image(0);
  std::size_t applied = 0;
  std::string kept;
  for (const settings::SettingDifference& d : sending_) {
    if (d.receiverLacks) continue;
    const std::string value = settings::ValueIn(d, now);
    if (value == d.fileValue) {
      ++applied;
    } else {
      kept += "\n[" + d.section + "] " + d.key + ": the receiver holds \"" + value + "\", the file \"" + d.fileValue + "\"";
    }
  }
  const std::size_t chosen = sending_.size();
  std::string text = "Applied " + std::to_string(applied) + " of " + std::to_string(chosen) + " settings.";
  for (const auto& [d, reason] : refused_) {
    text += "\nNot sent: [" + d->section + "] " + d->key + " \"" + d->fileValue + "\"" + (reason.empty() ? "" : ": " + reason);
  }
  if (!kept.empty()) text += "\nStill different:" + kept;
  markPages();
  sending_.clear();
  refused_.clear();
  bench_.view().RefreshAllPages();
  ui_.messageBox(text, kCaption, applied == chosen ? ui::MessageIcon::Information : ui::MessageIcon::Exclamation,
                 ui::MessageButtons::Ok);
}

}  // namespace tw::session
