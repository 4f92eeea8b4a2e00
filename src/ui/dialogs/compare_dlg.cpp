#include "ui/dialogs/compare_dlg.h"

#include "model/ascii.h"

#include <algorithm>

namespace tw::ui {
namespace {

constexpr int kSummaryId = 1701;
constexpr int kSearchId = 1702;
constexpr int kListId = 1703;
constexpr std::size_t kSearchLength = 64;
constexpr std::string_view kLacking = "not on this receiver";

}  // namespace

CompareDialog::CompareDialog(std::string fileName, std::vector<settings::SettingDifference> differences)
    : Dialog(kTemplate, "Compare with Receiver: " + fileName),
      differences_(std::move(differences)),
      summary_(kSummaryId),
      search_(kSearchId, kSearchLength),
      list_(kListId),
      apply_(kIdOk, "Apply"),
      cancel_(kIdCancel, "Cancel") {
  // What the receiver lacks is never sent: listed after the rest, unchecked.
  std::stable_partition(differences_.begin(), differences_.end(),
                        [](const settings::SettingDifference& d) { return !d.receiverLacks; });
  for (const settings::SettingDifference& d : differences_) checked_.push_back(!d.receiverLacks);
  list_.setColumns({{"Page", 28}, {"Setting", 26}, {"Receiver", 16}, {"File", 16}});
  list_.setCheckable(true);
  list_.setVisibleRows(14);
  list_.onCheck = [this](int row) {
    const std::size_t index = shown_[static_cast<std::size_t>(row)];
    const bool checked = list_.isChecked(row) && !differences_[index].receiverLacks;
    checked_[index] = checked;
    list_.setChecked(row, checked);
    showSummary();
  };
  search_.onChange = [this] { showRows(); };
  apply_.onClicked = [this] { EndDialog(kIdOk); };
  cancel_.onClicked = [this] { EndDialog(kIdCancel); };
  setLayout(Column({Item(summary_), Item("Find:", search_), Item(list_), Row({Item(apply_), Item(cancel_)})}));
}

void CompareDialog::OnInitDialog() {
  search_.setText({});
  showRows();
}

void CompareDialog::showRows() {
  const std::string wanted = model::AsciiLower(search_.text());
  list_.clear();
  shown_.clear();
  for (std::size_t i = 0; i < differences_.size(); ++i) {
    const settings::SettingDifference& d = differences_[i];
    const std::string receiver = d.receiverLacks ? std::string(kLacking) : d.receiverValue;
    const std::string all = model::AsciiLower(d.section + "\n" + d.key + "\n" + receiver + "\n" + d.fileValue);
    if (!wanted.empty() && all.find(wanted) == std::string::npos) continue;
    const int row = list_.addRow({d.section, d.key, receiver, d.fileValue});
    list_.setChecked(row, checked_[i]);
    shown_.push_back(i);
  }
  showSummary();
}

void CompareDialog::showSummary() {
  const auto chosen = static_cast<std::size_t>(std::count(checked_.begin(), checked_.end(), true));
  const auto lacking = static_cast<std::size_t>(std::count_if(
      differences_.begin(), differences_.end(), [](const settings::SettingDifference& d) { return d.receiverLacks; }));
  std::string text = std::to_string(differences_.size() - lacking) + " settings differ; " + std::to_string(chosen) +
                     " checked will be sent.";
  if (lacking > 0) text += " " + std::to_string(lacking) + " the receiver does not have are listed last.";
  summary_.setText(text);
  apply_.setEnabled(chosen > 0);
}

std::vector<settings::SettingDifference> CompareDialog::chosen() const {
  std::vector<settings::SettingDifference> chosen;
  for (std::size_t i = 0; i < differences_.size(); ++i) {
    if (checked_[i]) chosen.push_back(differences_[i]);
  }
  return chosen;
}

}  // namespace tw::ui
