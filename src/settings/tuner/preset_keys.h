#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tw::settings {

// Both pages hold 40 presets: pages A..E of eight each, numbered page by page.
inline constexpr int kPresetPages = 5;
inline constexpr int kPresetsPerPage = 8;
inline constexpr int kPresetCount = kPresetPages * kPresetsPerPage;

inline constexpr std::array<std::string_view, kPresetPages> kPageNames = {"PageA", "PageB", "PageC", "PageD",
                                                                          "PageE"};
// The entries of one preset page as the lists show them.
inline constexpr std::array<std::string_view, kPresetsPerPage> kPresetNames = {
    "Preset1", "Preset2", "Preset3", "Preset4", "Preset5", "Preset6", "Preset7", "Preset8"};

// The file keys of the 40 presets, page by page: the page name, a blank and the entry's word
// ("PageA Preset1"), each key exactly `Length` characters.
template <std::size_t Length>
using PresetKeyTable = std::array<std::array<char, Length>, kPresetCount>;

template <std::size_t Length>
constexpr PresetKeyTable<Length> MakePresetKeys(const std::array<std::string_view, kPresetsPerPage>& words) {
  PresetKeyTable<Length> keys{};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::size_t at = 0;
    for (char c : kPageNames[i / kPresetsPerPage]) keys[i][at++] = c;
    keys[i][at++] = ' ';
    for (char c : words[i % kPresetsPerPage]) keys[i][at++] = c;
  }
  return keys;
}

template <std::size_t Length>
constexpr std::string_view KeyOf(const PresetKeyTable<Length>& keys, std::size_t preset) {
  return {keys[preset].data(), Length};
}

}  // namespace tw::settings
