#pragma once

#include "comm/link.h"
#include "comm/link_observer.h"
#include "ui/main_view_link.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/group_box.h"
#include "ui/controls/layout.h"
#include "ui/controls/static_text.h"
#include "ui/dialogs/command_send_dlg.h"
#include "ui/dialogs/confirm_down_dlg.h"
#include "ui/dialogs/initialize_dlg.h"
#include "ui/main_view_parts.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw::app {
class Application;
}

namespace tw::ui {

class DialogHost;
class UiServices;

// Control ids of the main form.
namespace view_id {
inline constexpr int kPortList = 1000;
inline constexpr int kOpen = 1001;
inline constexpr int kClose = 1002;
inline constexpr int kUpload = 1007;
inline constexpr int kDownload = 1008;
inline constexpr int kZone3Power = 1022;
inline constexpr int kStatus = 1241;
inline constexpr int kReload = 1242;
inline constexpr int kDataReloadGroup = 1243;
inline constexpr int kModeText = 1246;
inline constexpr int kMainPower = 1257;
inline constexpr int kZone2Power = 1258;
inline constexpr int kSystemMemoryOpen = 1260;
inline constexpr int kZonePowerGroup = 1261;
inline constexpr int kUploadIcon = 1262;
inline constexpr int kDownloadIcon = 1263;
}  // namespace view_id

// The entry the port list adds for the built-in virtual receiver, and its device name.
inline constexpr std::string_view kVirtualPortEntry = "Virtual TQ-N4400";
inline constexpr std::string_view kVirtualPortDevice = "emulator";
inline constexpr std::string_view kAutoPortEntry = "Auto";
// Said wherever the virtual receiver is the port in use (title, status line, the transfer
// dialogs), so that nobody takes it for a real receiver.
inline constexpr std::string_view kVirtualReceiverMark = "virtual receiver";
inline constexpr std::string_view kVirtualReceiverNote = "Virtual receiver: nothing reaches a real TQ-N4400.";

// The message after an upload or download in which `failed` of the
// `total` commands were given up: one line that says what it means and where the error log is.
std::string FailedTransferText(comm::LinkMode mode, int failed, int total, const std::string& errorLogPath);
// The message after an upload that read everything but gave up `failed` of its `total`
// commands while writing the receiver's settings back: what Tunewright holds, which
// settings (`settings`, as DescribeSettings names them) the receiver may not hold as before,
// how to put them back, and where the error log is.
std::string FailedWriteBackText(int failed, int total, const std::string& settings, const std::string& errorLogPath);

// The main form: connection controls, the Basic Control group and the page sheet, shaped
// by the working mode. It starts the user's operations (Open, Close, Reload, Upload,
// Download), shows what the link publishes (it is the link's LinkObserver): which controls
// are enabled in each connection state, the messages and the two progress dialogs. The link itself runs connections, retries, lists and timers.
class MainView final : public comm::LinkObserver {
 public:
  struct Options {
    // Device name of the built-in virtual receiver; empty: the list does not offer it.
    std::string virtualDevice = std::string(kVirtualPortDevice);
  };

  MainView(app::Application& app, UiServices& ui, DialogHost& dialogs, Options options);
  MainView(app::Application& app, UiServices& ui, DialogHost& dialogs)
      : MainView(app, ui, dialogs, Options{}) {}
  ~MainView() override;
  MainView(const MainView&) = delete;
  MainView& operator=(const MainView&) = delete;

  // The page sheet and the Basic Control group (either may be absent: no pages, no group).
  // Attach before OnInitialUpdate.
  void attachSheet(ViewSheet* sheet);
  void attachBasicGroup(ViewBasicGroup* group);

  // Arranges the form for the working mode, fills the lists and restores the stored port
  // and page. Runs once the window exists, and again after every New or Open.
  void OnInitialUpdate();
  // The window closes: the port and page choices go into the settings.
  void OnDestroy();

  // --- user operations (the buttons call these) ---
  void Open();
  void Close();
  void Reload();
  void Upload();
  void Download();
  // Close, then Open (after the receiver loaded a System Memory).
  void ReloadAll();
  void StoreSettings();

  // --- what renderers show ---
  // The upper part of the main form (the sheet is drawn below it, from the sheet's pages).
  const Form& form() const { return *form_; }
  // The form's two parts, which a window may place apart: the connection controls (one
  // row) and the Basic Control group (null without one).
  const LayoutNode& connectionBar() const;
  const LayoutNode* basicPanel() const;
  ListCombo& portList() { return portList_; }
  Button& openButton() { return open_; }
  Button& closeButton() { return close_; }
  Button& reloadButton() { return reload_; }
  Button& uploadButton() { return upload_; }
  Button& downloadButton() { return download_; }
  Button& systemMemoryButton() { return systemMemory_; }
  StaticText& statusText() { return status_; }
  // The frame's status-bar message pane ("GUARD", "ERROR" for a second).
  StaticText& statusBarMessage() { return statusBar_; }
  // The document title and the window title built from it.
  const std::string& documentTitle() const { return documentTitle_; }
  void setDocumentTitle(std::string title) { documentTitle_ = std::move(title); }
  // The document holds changes that are not in a file: the title marks it with "*".
  void setDocumentModified(bool modified) { documentModified_ = modified; }
  // The document title ("*" after it while modified) and the program's title;
  // " (virtual receiver)" after them while the virtual receiver is the port in use.
  std::string windowTitle() const;
  // The port list's selected entry is the built-in virtual receiver: connections and
  // transfers reach it, not a receiver on a serial line.
  bool virtualReceiverSelected() const;

  // "[Section] key, ..." for parameter numbers (each setting once, the first few named and
  // the rest counted), as files and the error log name them.
  std::string DescribeSettings(const std::vector<int>& numbers);

  // Device names of the list entries (empty for "Auto"), in list order.
  const std::vector<std::string>& entryDevices() const { return entryDevices_; }

  // The progress dialogs while they run (null otherwise).
  InitializeDialog* initializeDialog();
  CommandSendingDialog* commandDialog();
  // The download notice while it is open (null otherwise).
  ConfirmDownloadDialog* downloadNotice();
  // A progress dialog runs: the wait cursor shows and the sliders leave the image alone.
  bool isLinkBusy() const;

  // The System Memory window is requested (button 1260). The button is enabled at the
  // initial update only when this is set, so it never does nothing.
  std::function<void()> onShowSystemMemory;
  // Another port is selected (the title and the status line may change with it): by the
  // user, or by the program, which then calls PortSelected.
  std::function<void()> onPortChosen;
  void PortSelected();
  // Asked before an Upload replaces the settings, and before a Download (ahead of its
  // notice); false: the operation does not start.
  std::function<bool()> confirmUpload;
  std::function<bool()> confirmDownload;
  // Continuations for front ends that wait for an operation to end.
  std::function<void(bool connected)> onConnectFinished;
  std::function<void(comm::ListResult result)> onCommandsFinished;
  // An upload that loaded a System Memory was interrupted or could not be restored.
  std::function<void(const comm::UploadInterruption&)> onUploadInterrupted;

  // --- LinkObserver ---
  void ConnectionChanged(comm::ConnectionState state) override;
  void StatusWordChanged(comm::StatusWord word) override;
  void MessageRaised(comm::LinkMessage message) override;
  void ActivityChanged(comm::LinkActivity activity, int range) override;
  void ProgressChanged(comm::LinkActivity activity, int position) override;
  void RefreshAllPages() override;
  void RefreshBasicItem(int number, bool update) override;
  void RefreshActiveItems(const std::vector<int>& numbers) override;
  void UpdateCapabilities() override;
  void RestoreFocus() override;
  void TransferFailed(comm::LinkMode mode, int failed, int total) override;
  void WriteBackFailed(const std::vector<int>& numbers, int total) override;
  void UploadInterrupted(const comm::UploadInterruption& what) override;
  void ConnectFinished(bool connected) override;
  void CommandsFinished(comm::ListResult result) override;

 private:
  void buildForm();
  void arrangeForMode();
  void fillPortList();
  void selectStoredPort();
  void selectStoredPage();
  comm::PortChoice portChoice() const;
  void startDownload();
  void setStatusText(std::string_view text);
  void showStatus();
  void openProgressDialog(ProgressDialog& dialog, int range);
  void markTransferDialogs();
  std::optional<ItemName> describeParameter(int number, std::string_view command);

  app::Application& app_;
  comm::Link& link_;
  UiServices& ui_;
  DialogHost& dialogs_;
  Options options_;
  ViewSheet* sheet_ = nullptr;
  ViewBasicGroup* basic_ = nullptr;

  StaticText status_;
  ListCombo portList_;
  Button open_;
  Button close_;
  GroupBox dataReloadGroup_;
  Button reload_;
  Button upload_;
  Button download_;
  StaticText uploadIcon_;
  StaticText downloadIcon_;
  GroupBox modeGroup_;
  StaticText modeText_;
  GroupBox systemMemoryGroup_;
  Button systemMemory_;
  StaticText statusBar_;
  std::unique_ptr<Form> form_;

  std::vector<std::string> entryDevices_;
  bool hasAutoEntry_ = false;
  std::string documentTitle_;
  bool documentModified_ = false;
  std::string statusText_;

  InitializeDialog initDialog_;
  CommandSendingDialog commandDialog_;
  std::unique_ptr<ConfirmDownloadDialog> notice_;
  int waitCursors_ = 0;
};

}  // namespace tw::ui
