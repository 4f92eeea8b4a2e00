#pragma once

#include <filesystem>
#include <string>

#include "model/command_table.h"
#include "model/parameter_images.h"
#include "pages/configuration_file.h"
#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/page_link.h"
#include "ui/ui_services.h"

namespace tw::pages {

// A link for a configuration without a receiver: Async Mode, the seven images at their
// factory defaults for a tuner region, and nothing ever sent.
class OfflinePageLink final : public ui::PageLink {
 public:
  explicit OfflinePageLink(int tunerRegion) : images_(tunerRegion), region_(tunerRegion) {}

  comm::WorkingMode workingMode() const override { return comm::WorkingMode::Async; }
  bool isTransferDialogOpen() const override { return false; }
  int SendPacket(std::string_view, int) override { return 0; }
  model::ParameterImage* image(int index) override { return images_.Image(index); }
  const model::Capabilities& capabilities() const override { return caps_; }
  int tunerRegion() const override { return region_; }
  comm::LinkMode linkMode() const override { return comm::LinkMode::Idle; }

  model::ParameterImages& images() { return images_; }

 private:
  model::ParameterImages images_;
  model::Capabilities caps_;
  int region_;
};

// Everything a configuration file and a report need, for a program without a window: every
// sheet page and the Basic Control group on `link`'s images, created as the main view
// creates them (so every page has its window), and the User Memo.
class ConfigurationWorkspace {
 public:
  ConfigurationWorkspace(ui::PageLink& link, model::ParameterImages& images, ui::UiServices& ui);

  Sheet& sheet() { return sheet_; }
  ui::BasicControlGroup& basicGroup() { return basic_; }
  const ConfigurationFile& file() const { return file_; }
  model::ParameterImages& images() { return images_; }
  std::string& memo() { return memo_; }

  files::FileStatus Load(const std::filesystem::path& path) { return file_.Load(path, images_, memo_); }
  void Load(const files::Profile& profile) { file_.Load(profile, images_, memo_); }
  ConfigurationCheck LoadChecked(const files::Profile& profile) { return file_.LoadChecked(profile, images_, memo_); }
  files::Profile Save() const { return file_.Save(images_, memo_); }
  files::Profile KnownEntries() const { return file_.KnownEntries(images_, memo_); }
  std::string BuildReport() { return pages::BuildReport(sheet_, &basicItems_, images_, memo_); }

 private:
  model::ParameterImages& images_;
  Sheet sheet_;
  ui::BasicControlGroup basic_;
  BasicItemsOf<ui::BasicControlGroup> basicItems_{basic_};
  ConfigurationFile file_{sheet_, &basicItems_};
  std::string memo_;
};

}  // namespace tw::pages
