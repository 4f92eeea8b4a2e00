#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "comm/link_constants.h"
#include "settings/configuration_compare.h"
#include "ui/dialogs/compare_dlg.h"
#include "ui/ui_services.h"

namespace tw::session {

class Workbench;

// File > Compare with Receiver... in Real Time Mode: a configuration file held against the
// settings the connected receiver reported (its start-up read and every report since), the
// differences to choose from, and Apply: only the chosen ones, sent as one Real Time list in
// the order a download sends them. The receiver's echo of each write (or its report, or the
// read after a refusal) leaves the settings holding what the receiver holds; the summary
// then says how many took.
class ReceiverComparison {
 public:
  ReceiverComparison(Workbench& bench, ui::UiServices& ui, ui::DialogHost& dialogs);
  ~ReceiverComparison();
  ReceiverComparison(const ReceiverComparison&) = delete;
  ReceiverComparison& operator=(const ReceiverComparison&) = delete;

  // Asks for the file, then CompareWith.
  void Start();
  // Compares `path` with the receiver and shows the differences (or says there are none).
  void CompareWith(const std::string& path);
  // The list the comparison sent has ended (the window passes every list's end on).
  void CommandsFinished(comm::ListResult result);

  // The captions of the pages that differ from the file: after a comparison, and again
  // after an apply (those still differing).
  std::function<void(const std::set<std::string>& captions)> onDifferingPages;

  // The open dialog (null when none is open), for the window's tests.
  ui::CompareDialog* dialog() const { return dialog_ && dialog_->isOpen() ? dialog_.get() : nullptr; }

 private:
  void apply(const std::vector<settings::SettingDifference>& chosen);
  // Marks the pages of the differences compared that the receiver still holds otherwise.
  void markPages();
  settings::SettingContext context() const;

  Workbench& bench_;
  ui::UiServices& ui_;
  ui::DialogHost& dialogs_;
  std::unique_ptr<ui::CompareDialog> dialog_;
  std::vector<settings::SettingDifference> compared_;
  // While the chosen differences are on the line: them, and those the pages refused.
  std::vector<settings::SettingDifference> sending_;
  std::vector<settings::AppliedSettings::Refusal> refused_;
  bool waiting_ = false;
};

}  // namespace tw::session
