#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files/profile.h"
#include "model/parameter_images.h"
#include "settings/configuration_check.h"
#include "settings/configuration_memory.h"

namespace tw::settings {

// A ".qcf" configuration file: the User Memo, the Basic Control group, every sheet page in
// sheet order (XM Set written only for tuner region 1, read always) and the four System
// Memory groups of memories 1..6, each setting under a readable section and key with the
// text its page shows. It walks the settings of `pages` (the whole catalogue unless a test
// says otherwise) and `basic` (none: no Basic Control section).
//
// Reading merges: only entries that are present and hold one of the item's texts change
// anything. Nothing here talks to the receiver.
class ConfigurationFile {
 public:
  explicit ConfigurationFile(ContextSource context, std::span<const PageSettings* const> pages = Catalogue(),
                             const PageSettings* basic = &BasicControlSettings())
      : context_(std::move(context)), pages_(pages), basic_(basic), memories_(context_, pages, basic) {}

  // Writes image 0, images 1..6 and the memo into a new profile.
  files::Profile Save(const model::ParameterImages& images, std::string_view memo) const;
  // The current settings alone (image 0) and the memo: no System Memory sections.
  files::Profile SaveCurrent(const model::ParameterImage& current, std::string_view memo) const;
  // Reads the profile into image 0, images 1..6 and the memo.
  void Load(const files::Profile& profile, model::ParameterImages& images, std::string& memo) const;
  // The same, telling what it made of the file: the entries it ignored, and how many
  // settings the file held against a complete file.
  ConfigurationCheck LoadChecked(const files::Profile& profile, model::ParameterImages& images,
                                 std::string& memo) const;

  // The whole file replaced at once: a failed save leaves the previous file as it was.
  files::FileStatus Save(const std::filesystem::path& path, const model::ParameterImages& images,
                         std::string_view memo) const;
  // A file that cannot be read changes nothing.
  files::FileStatus Load(const std::filesystem::path& path, model::ParameterImages& images,
                         std::string& memo) const;

  // Every entry the tool knows for this configuration, XM Set included whatever the
  // region: what a file may validly hold (used to tell a user which entries were ignored).
  files::Profile KnownEntries(const model::ParameterImages& images, std::string_view memo) const;

  const MemoryGroups& memoryGroups() const { return memories_; }

  // The sheet pages' part of image `image` alone (no memo, no Basic Control, no memory):
  // as a file holds it, as a file is read, and as the report shows it.
  void SavePages(const model::ParameterImage& image, files::Profile& profile) const;
  void LoadPages(model::ParameterImage& image, const files::Profile& profile) const;
  std::string ReportPages(const model::ParameterImage& image) const;

  // The configuration report: the title and memo, the current setting (the image in use) as
  // the Basic Control block and the block of every page a sheet shows for the working mode
  // (XM Set for tuner region 1 only), then the four groups of memories 1..6 under headings
  // 2..25. Lines end in CR LF.
  std::string BuildReport(const model::ParameterImages& images, std::string_view memo) const;

 private:
  // Every page's items of image 0, in file order (XM Set for tuner region 1 only, unless
  // `allRegions`).
  void savePages(const model::ParameterImage& image, files::Profile& profile, bool allRegions) const;
  void saveBasic(const model::ParameterImage& image, files::Profile& profile) const;
  void saveMemories(const model::ParameterImages& images, files::Profile& profile) const;
  // Why the page of an entry's setting refuses its value, as `set` says it; empty when the
  // page has nothing to say.
  std::string refusalReason(const IgnoredEntry& entry, const model::ParameterImages& images) const;

  ContextSource context_;
  std::span<const PageSettings* const> pages_;
  const PageSettings* basic_;
  MemoryGroups memories_;
};

// The sections of the pages that files hold for one tuner region only (XM Set): a file
// without them is complete all the same.
std::vector<std::string> RegionalSections(std::span<const PageSettings* const> pages = Catalogue());

}  // namespace tw::settings
