#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "comm/link_constants.h"
#include "files/profile.h"

#include <optional>

namespace tw::app {

// The three persistent user settings, kept in section "DispSet" of the settings file.
inline constexpr std::string_view kSettingsSection = "DispSet";
inline constexpr int kPortSetting = 0;
inline constexpr int kActivePageSetting = 1;
inline constexpr int kConfirmDownloadSetting = 2;
inline constexpr std::array<std::string_view, 3> kSettingKeys = {"Port", "ActivePage", "ConfirmDownload"};

// The value of "ConfirmDownload" that silences the download notice, and the one written
// when the notice's box is left clear.
inline constexpr std::string_view kConfirmDownloadOff = "NO";
inline constexpr std::string_view kConfirmDownloadOn = "YES";

using SettingTexts = std::array<std::string, kSettingKeys.size()>;

// $XDG_CONFIG_HOME/tunewright/<executableBaseName>.ini, with ~/.config when the variable is
// unset or empty (and the current folder when there is no home either).
std::filesystem::path DefaultSettingsPath(std::string_view executableBaseName);

// The three values of a settings file already read; a missing key reads as empty. Each value
// is cut to 255 bytes, as a read into a 256-byte buffer would.
SettingTexts SettingsOf(const files::Profile& profile);

// Writes all three keys, keeping everything else in the file. A file that already holds
// exactly these values is left untouched, so a run that changed nothing does not rewrite
// it. A file that cannot be read is never replaced, and a failed write leaves the previous
// file whole; the status then says why, in words fit for the user.
files::FileStatus WriteSettingsFile(const std::filesystem::path& path, const SettingTexts& settings);

// The pacing of reads: key "Pacing" of section "Link", "mandated" (the default) or "reply".
// The program reads it and never writes it.
inline constexpr std::string_view kLinkSection = "Link";
inline constexpr std::string_view kPacingKey = "Pacing";

// "mandated" or "reply" (any letter case, blanks around ignored); nothing for anything else.
std::optional<comm::ReadPacing> ParsePacing(std::string_view text);
// The file's pacing; a missing key or an unknown value reads as the default, mandated.
comm::ReadPacing PacingOf(const files::Profile& profile);

}  // namespace tw::app
