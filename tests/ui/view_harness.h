#pragma once

// The main view on top of the application harness: scripted message boxes and a dialog
// host that keeps the open dialogs, innermost last.

#include "app/app_harness.h"
#include "support/scripted_ui_services.h"
#include "ui/dialogs/dialog.h"
#include "ui/main_view.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tw::ui::test {

using app::test::AppFixture;
using app::test::ReadFile;
using app::test::ScratchFolder;
using app::test::WriteFile;

class RecordingDialogHost final : public DialogHost {
 public:
  void showDialog(Dialog& dialog) override {
    open.push_back(&dialog);
    shown.push_back(dialog.caption());
  }
  void hideDialog(Dialog& dialog) override { open.erase(std::remove(open.begin(), open.end(), &dialog), open.end()); }
  Dialog* top() const { return open.empty() ? nullptr : open.back(); }

  std::vector<Dialog*> open;
  std::vector<std::string> shown;
};

}  // namespace tw::ui::test

namespace tw::ui::test {

// Pages as the view drives them: captions, an active page, and a page source that queues
// the commands a test gives it.
class FakeSheet final : public ViewSheet, public comm::PageSource {
 public:
  explicit FakeSheet(std::vector<std::string> captions) : captions_(std::move(captions)) {}

  int pageCount() const override { return static_cast<int>(captions_.size()); }
  std::string pageCaption(int index) const override {
    return index >= 0 && index < pageCount() ? captions_[static_cast<std::size_t>(index)] : std::string();
  }
  int activeIndex() const override { return active_; }
  void setActive(int index) override { active_ = index; }
  void RefreshAll() override { ++refreshAll; }
  void RefreshActiveItems(const std::vector<int>& numbers) override { activeRefreshes.push_back(numbers); }
  void RestoreFocus() override { ++focusRestores; }
  void UpdateAvailability() override { ++availabilityUpdates; }
  std::optional<ItemName> DescribeItem(const model::ParameterImage&, int number, std::string_view) override {
    const auto it = names.find(number);
    if (it == names.end()) return std::nullopt;
    return it->second;
  }
  comm::PageSource* pageSource() override { return this; }

  void QueueAll(model::ParameterImage&, const model::SettingFilter& = {}) override {
    for (const auto& [text, number] : queued) link->SendPacket(text, number);
  }

  comm::Link* link = nullptr;
  std::vector<std::pair<std::string, int>> queued;
  std::map<int, ItemName> names;
  int refreshAll = 0;
  std::vector<std::vector<int>> activeRefreshes;
  int focusRestores = 0;
  int availabilityUpdates = 0;

 private:
  std::vector<std::string> captions_;
  int active_ = 0;
};

// A started application in one working mode with its main view, shown.
struct ViewFixture {
  ViewFixture(const std::filesystem::path& folder, int startMode, std::vector<std::string> ports = {},
              std::string storedSettings = {})
      : app(folder) {
    if (!storedSettings.empty()) WriteFile(folder / "tunewright.ini", storedSettings);
    app.listed.devices = std::move(ports);
    started = app.start(startMode);
    view = std::make_unique<MainView>(app.app, ui, dialogs);
    sheet.link = &app.app.link();
    view->attachSheet(&sheet);
    view->onConnectFinished = [this](bool connected) { connects.push_back(connected); };
    view->onCommandsFinished = [this](comm::ListResult result) { lists.push_back(static_cast<int>(result)); };
    view->OnInitialUpdate();
  }

  comm::Link& link() { return app.app.link(); }
  comm::VirtualScheduler& scheduler() { return app.scheduler; }
  bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600000) {
    return app.scheduler.runUntil(done, limitMs);
  }
  bool connected() { return runUntil([&] { return !connects.empty(); }) && connects.back(); }
  std::vector<int> messageIds() const {
    std::vector<int> ids;
    for (const auto& shown : ui.messages()) {
      // A cause and remedy may follow the message after a blank line.
      const std::string message = shown.text.substr(0, shown.text.find("\n\n"));
      for (int id : {201, 202, 203, 205, 251, 252, 253}) {
        if (message == MessageText(id)) ids.push_back(id);
      }
    }
    return ids;
  }

  AppFixture app;
  ScriptedUiServices ui;
  RecordingDialogHost dialogs;
  FakeSheet sheet{{"Multi Zone", "DSP Parameters", "Input Rename", "Speaker Set", "iPod"}};
  std::unique_ptr<MainView> view;
  bool started = false;
  std::vector<bool> connects;
  std::vector<int> lists;
};

}  // namespace tw::ui::test
