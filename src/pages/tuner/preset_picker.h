#pragma once

#include <array>
#include <functional>
#include <span>
#include <string_view>

#include "settings/tuner/preset_keys.h"
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

  ui::ListCombo pages;
  ui::ListBox entries;
  ui::ListView view;
};

using settings::KeyOf;
using settings::kPageNames;
using settings::kPresetCount;
using settings::kPresetNames;
using settings::kPresetPages;
using settings::kPresetsPerPage;
using settings::MakePresetKeys;
using settings::PresetKeyTable;

}  // namespace tw::pages
