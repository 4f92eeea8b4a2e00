#pragma once

#include <string>

#include "files/profile.h"
#include "model/parameter_images.h"
#include "settings/configuration_file.h"

namespace tw::settings {

// A configuration without a receiver: the seven images at the factory settings of a tuner
// region and the User Memo, read, written and reported through the settings catalogue as
// in Async Mode on a receiver with every option (both zones, XM, AAC).
class OfflineConfiguration {
 public:
  explicit OfflineConfiguration(int tunerRegion) : images(tunerRegion), region_(tunerRegion) {}
  // The file's context is this object's own.
  OfflineConfiguration(const OfflineConfiguration&) = delete;
  OfflineConfiguration& operator=(const OfflineConfiguration&) = delete;

  ConfigurationCheck LoadChecked(const files::Profile& profile) { return file.LoadChecked(profile, images, memo); }
  void Load(const files::Profile& profile) { file.Load(profile, images, memo); }
  files::Profile Save() const { return file.Save(images, memo); }
  files::Profile KnownEntries() const { return file.KnownEntries(images, memo); }
  std::string BuildReport() const { return file.BuildReport(images, memo); }

  model::ParameterImages images;
  std::string memo;
  const ConfigurationFile file{[this] { return SettingContext{{}, region_, false}; }};

 private:
  int region_;
};

}  // namespace tw::settings
