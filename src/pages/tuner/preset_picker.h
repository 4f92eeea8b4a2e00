#pragma once

#include <array>
#include <functional>
#include <span>
#include <string_view>

#include "ui/controls/combo_box.h"
#include "ui/controls/list_box.h"
#include "ui/controls/list_view.h"

namespace tw::pages {

// How the tuner and XM pages pick one preset: a combo box of preset pages, a list box of
// the page's entries and a list view of the entries with their values. The list box and
// the list view always select the same entry.
class PresetPicker {
 public:
  struct Ids {
    int pages;
    int entries;
    int view;
  };

  PresetPicker(Ids ids, std::string_view entryColumn, std::string_view valueColumn);

  // Fills the page list and selects its first page (the owner then shows its entries).
  void FillPages(std::span<const std::string_view> pageNames);
  // The entries of the selected page, in the list box and as the view's rows (values are
  // the owner's to fill). The entry selected before stays selected when the page has it,
  // otherwise the first.
  void ShowEntries(std::span<const std::string_view> names);
  // Selects an entry in both lists (no notification).
  void SelectEntry(int entry);

  int page() const { return pages.curSel(); }
  int entry() const { return entries.curSel(); }

  // The user picked another page (the owner shows its entries) or another entry.
  std::function<void()> onPageChange;
  std::function<void()> onEntryChange;

  ui::CListCombo pages;
  ui::ListBox entries;
  ui::ListView view;
};

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

}  // namespace tw::pages
