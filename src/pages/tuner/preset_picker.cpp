#include "pages/tuner/preset_picker.h"

#include <string>

namespace tw::pages {

PresetPicker::PresetPicker(Ids ids, std::string_view entryColumn, std::string_view valueColumn)
    : pages(ids.pages), entries(ids.entries), view(ids.view) {
  view.setColumns({{std::string(entryColumn), 10}, {std::string(valueColumn), 14}});
  pages.onSelChange = [this] {
    if (onPageChange) onPageChange();
  };
  entries.onSelChange = [this] {
    view.setSelectedRow(entries.curSel());
    if (onEntryChange) onEntryChange();
  };
  view.onSelect = [this] {
    entries.setCurSel(view.selectedRow());
    if (onEntryChange) onEntryChange();
  };
}

void PresetPicker::FillPages(std::span<const std::string_view> pageNames) {
  pages.Fill(pageNames);
  pages.setCurSel(0);
}

void PresetPicker::ShowEntries(std::span<const std::string_view> names) {
  const int previous = entries.curSel();
  entries.resetContent();
  view.clear();
  for (std::string_view name : names) {
    entries.addString(std::string(name));
    view.addRow({std::string(name), {}});
  }
  SelectEntry(previous >= 0 && previous < entries.count() ? previous : 0);
}

void PresetPicker::SelectEntry(int entry) {
  entries.setCurSel(entry);
  view.setSelectedRow(entries.curSel());
}

}  // namespace tw::pages
