#include "app/app_settings.h"

#include "files/profile.h"
#include "model/ascii.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

namespace tw::app {

std::filesystem::path DefaultSettingsPath(std::string_view executableBaseName) {
  std::filesystem::path folder;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::filesystem::path(home) / ".config";
  }
  std::string base(executableBaseName.substr(0, executableBaseName.find('\0')));
  if (base.empty()) base = "tunewright";
  return folder / "tunewright" / (base + ".ini");
}

SettingTexts SettingsOf(const files::Profile& profile) {
  SettingTexts texts;
  for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
    texts[i] = profile.GetString(kSettingsSection, kSettingKeys[i], "", files::kProfileBufferSize);
  }
  return texts;
}

std::optional<comm::ReadPacing> ParsePacing(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  const std::string lower = model::AsciiLower(text);
  if (lower == comm::kPacingMandatedName) return comm::ReadPacing::Mandated;
  if (lower == comm::kPacingReplyName) return comm::ReadPacing::Reply;
  return std::nullopt;
}

comm::ReadPacing PacingOf(const files::Profile& profile) {
  return ParsePacing(profile.GetString(kLinkSection, kPacingKey, "", files::kProfileBufferSize))
      .value_or(comm::ReadPacing::Mandated);
}

files::FileStatus WriteSettingsFile(const std::filesystem::path& path, const SettingTexts& settings) {
  files::Profile profile;
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (exists) {
    // Never replace a file we could not read: it may hold more than these three keys.
    if (files::FileStatus read = profile.Load(path); !read) {
      return files::FileStatus::Failure(read.error + " It was left as it was.");
    }
  }

  bool same = exists;
  for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
    const bool present = profile.HasKey(kSettingsSection, kSettingKeys[i]);
    if (!present || profile.GetString(kSettingsSection, kSettingKeys[i], "", std::string::npos) != settings[i]) {
      same = false;
    }
  }
  if (same) return files::FileStatus::Success();

  for (std::size_t i = 0; i < kSettingKeys.size(); ++i) profile.WriteString(kSettingsSection, kSettingKeys[i], settings[i]);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  return profile.Save(path);
}

}  // namespace tw::app
