#include "pages/tuner/frequency_dlg.h"

#include <algorithm>

#include "settings/tuner/tuner_frequencies.h"

namespace tw::pages {

namespace tuner = settings::tuner;

FrequencyDialog::FrequencyDialog()
    : Dialog(kTemplate, "Frequency"), list_(kListId), ok_(ui::kIdOk, "OK"), cancel_(ui::kIdCancel, "Cancel") {
  list_.setColumns({{"Frequency", 16}});
  ok_.onClicked = [this] { OnOK(); };
  cancel_.onClicked = [this] { EndDialog(ui::kIdCancel); };
  list_.onActivate = [this] { OnOK(); };
  // Arrow keys move through the list here; only the pages keep them from their controls.
  setLayout(ui::Column({ui::Item(list_), ui::Row({ui::Item(ok_), ui::Item(cancel_)})}));
}

void FrequencyDialog::SetChoices(std::vector<std::string> texts, std::string_view current) {
  texts_ = std::move(texts);
  current_ = std::string(current);
}

void FrequencyDialog::OnInitDialog() {
  chosen_.clear();
  list_.clear();
  for (const std::string& text : texts_) list_.addRow({tuner::DisplayForm(text)});
  const auto found = std::find(texts_.begin(), texts_.end(), current_);
  list_.setSelectedRow(found == texts_.end() ? -1 : static_cast<int>(found - texts_.begin()));
}

void FrequencyDialog::OnOK() {
  const int row = list_.selectedRow();
  if (row >= 0 && row < static_cast<int>(texts_.size())) chosen_ = texts_[static_cast<std::size_t>(row)];
  EndDialog(ui::kIdOk);
}

}  // namespace tw::pages
