#include "ui/main_view.h"

#include <algorithm>

#include "app/app_settings.h"
#include "app/application.h"
#include "comm/serial_port.h"
#include "model/command_table.h"
#include "ui/dialogs/dialog.h"
#include "ui/ui_services.h"

namespace tw::ui {
namespace {

// What the port list shows for a device: from "COM" onward where the name has it (so
// "\\.\COM10" shows "COM10"), otherwise the name after its folder ("/dev/ttyUSB0" shows
// "ttyUSB0").
// Settings named in a message; the rest are counted.
constexpr std::size_t kNamedSettings = 8;

std::string DisplayName(const std::string& device) {
  if (const auto com = device.find("COM"); com != std::string::npos) return device.substr(com);
  if (const auto slash = device.rfind('/'); slash != std::string::npos && slash + 1 < device.size()) {
    return device.substr(slash + 1);
  }
  return device;
}

}  // namespace

std::string FailedTransferText(comm::LinkMode mode, int failed, int total, const std::string& errorLogPath) {
  const bool upload = mode == comm::LinkMode::Upload;
  std::string text = std::string("The ") + (upload ? "upload" : "download") + " did not complete: " +
                     std::to_string(failed) + " of " + std::to_string(total) + " commands failed";
  text += upload ? ". Tunewright's settings are as they were before the upload."
                 : ", so the receiver now holds a mixture of these settings and its own; a download that "
                   "completes puts all of them on it.";
  text += " Check the cable and the receiver, then try again. The error log lists the failed commands: " +
          errorLogPath;
  return text;
}

std::string FailedWriteBackText(int failed, int total, const std::string& settings, const std::string& errorLogPath) {
  return "The upload read every setting and all six System Memories: Tunewright holds them now, complete. "
         "Putting the receiver's own settings back afterwards failed for " +
         std::to_string(failed) + " of " + std::to_string(total) +
         " commands, so the receiver may not hold these as it did before the upload: " + settings +
         ". Save the configuration, then download it to put them back. The error log lists the failed commands: " +
         errorLogPath;
}

MainView::MainView(app::Application& app, UiServices& ui, DialogHost& dialogs, Options options)
    : app_(app),
      link_(app.link()),
      ui_(ui),
      dialogs_(dialogs),
      options_(std::move(options)),
      status_(view_id::kStatus),
      portList_(view_id::kPortList),
      open_(view_id::kOpen, "Open"),
      close_(view_id::kClose, "Close"),
      dataReloadGroup_(view_id::kDataReloadGroup, "Data Reload"),
      reload_(view_id::kReload, "Reload"),
      upload_(view_id::kUpload, "Upload >>"),
      download_(view_id::kDownload, "<< Download"),
      uploadIcon_(view_id::kUploadIcon),
      downloadIcon_(view_id::kDownloadIcon),
      modeGroup_(0, "Control Mode"),
      modeText_(view_id::kModeText),
      systemMemoryGroup_(0, "System Memory"),
      systemMemory_(view_id::kSystemMemoryOpen, "Open"),
      statusBar_(0),
      documentTitle_(app::kRealTimeDocumentTitle),
      initDialog_(app.link(), ui),
      commandDialog_(app.link(), ui) {
  open_.onClicked = [this] { Open(); };
  close_.onClicked = [this] { Close(); };
  reload_.onClicked = [this] { Reload(); };
  upload_.onClicked = [this] { Upload(); };
  download_.onClicked = [this] { Download(); };
  systemMemory_.onClicked = [this] {
    if (onShowSystemMemory) onShowSystemMemory();
  };
  portList_.onSelChange = [this] { PortSelected(); };
  buildForm();
  link_.setObserver(this);
  app_.log().setItemDescriber(
      [this](int number, std::string_view command) { return describeParameter(number, command); });
}

MainView::~MainView() {
  link_.setObserver(nullptr);
  link_.setPages(nullptr);
  app_.log().setItemDescriber({});
  while (waitCursors_ > 0) {
    --waitCursors_;
    ui_.endWaitCursor();
  }
}

void MainView::attachSheet(ViewSheet* sheet) {
  sheet_ = sheet;
  link_.setPages(sheet != nullptr ? sheet->pageSource() : nullptr);
}

void MainView::attachBasicGroup(ViewBasicGroup* group) {
  basic_ = group;
  buildForm();
}

void MainView::buildForm() {
  // The connection controls in one line, then the Basic Control group.
  std::vector<LayoutNode> parts{Row({
      Item("Port", portList_),
      Item(open_),
      Item(close_),
      Item(upload_),
      Item(uploadIcon_),
      Item(download_),
      Item(downloadIcon_),
      Item(status_),
      Group(dataReloadGroup_, {Item(reload_)}),
      Group(modeGroup_, {Item(modeText_)}),
      Group(systemMemoryGroup_, {Item(systemMemory_)}),
  })};
  if (basic_ != nullptr) parts.push_back(basic_->layout());
  // The main form swallows the arrow keys, so they never move a list or slider there.
  form_ = std::make_unique<Form>(std::string(app::kWindowTitle), Column(std::move(parts)), true);
}

const LayoutNode& MainView::connectionBar() const { return form_->root().children.front(); }

const LayoutNode* MainView::basicPanel() const {
  return form_->root().children.size() > 1 ? &form_->root().children[1] : nullptr;
}

std::string MainView::windowTitle() const {
  std::string title = documentTitle_ + (documentModified_ ? "*" : "") + " - " + std::string(app::kWindowTitle);
  if (virtualReceiverSelected()) title += " (" + std::string(kVirtualReceiverMark) + ")";
  return title;
}

bool MainView::virtualReceiverSelected() const {
  const int selected = portList_.curSel();
  return !options_.virtualDevice.empty() && selected >= 0 && selected < static_cast<int>(entryDevices_.size()) &&
         entryDevices_[static_cast<std::size_t>(selected)] == options_.virtualDevice;
}

// ---------------------------------------------------------------- initial update

void MainView::OnInitialUpdate() {
  arrangeForMode();
  fillPortList();
  if (basic_ != nullptr) basic_->FillBasicControls();
  if (!app_.isRealTime() && documentTitle_ == app::kRealTimeDocumentTitle) {
    documentTitle_ = std::string(app::kAsyncDocumentTitle);
  }
  setStatusText(MessageText(msg::kNotConnected));
  close_.setEnabled(false);
  dataReloadGroup_.setEnabled(false);
  reload_.setEnabled(false);
  modeText_.setText(app_.isRealTime() ? "RealTime" : "Async");
  // Until a System Memory window exists the button would do nothing.
  systemMemory_.setEnabled(static_cast<bool>(onShowSystemMemory));
  selectStoredPort();
  selectStoredPage();
  showStatus();
}

void MainView::arrangeForMode() {
  const bool realTime = app_.isRealTime();
  for (Control* control : std::initializer_list<Control*>{&open_, &close_, &dataReloadGroup_, &reload_}) {
    control->setVisible(realTime);
  }
  for (Control* control : std::initializer_list<Control*>{&upload_, &download_, &uploadIcon_, &downloadIcon_}) {
    control->setVisible(!realTime);
  }
  // Zone power lives in the Basic Control group; only Real Time Mode shows it.
  for (int id : {view_id::kMainPower, view_id::kZone2Power, view_id::kZone3Power, view_id::kZonePowerGroup}) {
    if (Control* control = form_->find(id)) control->setVisible(realTime);
  }
}

void MainView::fillPortList() {
  // Probing the devices would disturb an open connection; the list stays as it is then.
  if (link_.isPortOpen()) return;
  portList_.resetContent();
  entryDevices_.clear();
  const std::vector<std::string> found = app_.port().availablePorts();
  for (const std::string& device : found) {
    if (device == options_.virtualDevice) continue;
    portList_.addString(DisplayName(device));
    entryDevices_.push_back(device);
  }
  hasAutoEntry_ = !entryDevices_.empty();
  if (hasAutoEntry_) {
    portList_.insertString(0, std::string(kAutoPortEntry));
    entryDevices_.insert(entryDevices_.begin(), std::string());
  }
  if (!options_.virtualDevice.empty()) {
    portList_.addString(std::string(kVirtualPortEntry));
    entryDevices_.push_back(options_.virtualDevice);
  }
}

void MainView::selectStoredPort() {
  const std::string& stored = app_.setting(app::kPortSetting);
  int index = -1;
  // The list box's prefix search starts after entry 0 and wraps around to it.
  if (!stored.empty()) index = portList_.findString(stored, 0);
  if (index < 0 && portList_.count() > 0) index = portList_.findString(kAutoPortEntry, 0);
  // Without a real port the virtual receiver is the one choice, so Open works at once.
  if (index < 0 && portList_.count() == 1 && !options_.virtualDevice.empty()) index = 0;
  portList_.setCurSel(index);
}

void MainView::selectStoredPage() {
  if (sheet_ == nullptr) return;
  const std::string& stored = app_.setting(app::kActivePageSetting);
  if (stored.empty()) return;
  for (int i = 0; i < sheet_->pageCount(); ++i) {
    if (sheet_->pageCaption(i) == stored) {
      sheet_->setActive(i);
      return;
    }
  }
}

void MainView::OnDestroy() { StoreSettings(); }

void MainView::StoreSettings() {
  app_.setSetting(app::kPortSetting, portList_.selectedText());
  if (sheet_ != nullptr && sheet_->activeIndex() >= 0) {
    app_.setSetting(app::kActivePageSetting, sheet_->pageCaption(sheet_->activeIndex()));
  }
}

// ---------------------------------------------------------------- user operations

comm::PortChoice MainView::portChoice() const {
  const int selected = portList_.curSel();
  if (hasAutoEntry_ && selected == 0) {
    // "Auto" scans the serial ports found; the virtual receiver is a deliberate choice only.
    std::vector<std::string> devices;
    for (const std::string& device : entryDevices_) {
      if (!device.empty() && device != options_.virtualDevice) devices.push_back(device);
    }
    return comm::PortChoice::Scan(std::move(devices));
  }
  if (selected < 0 || selected >= static_cast<int>(entryDevices_.size())) return comm::PortChoice::Fixed({});
  return comm::PortChoice::Fixed(entryDevices_[static_cast<std::size_t>(selected)]);
}

void MainView::Open() {
  if (isLinkBusy()) return;
  link_.Open(portChoice());
}

void MainView::Close() { link_.Close(); }

void MainView::Reload() {
  if (!AskOkCancel(ui_, msg::kReloadNotice)) return;
  Close();
  Open();
}

void MainView::ReloadAll() {
  Close();
  Open();
}

void MainView::Upload() {
  if (isLinkBusy()) return;
  if (confirmUpload && !confirmUpload()) return;
  link_.Upload(portChoice());
}

void MainView::Download() {
  if (isLinkBusy() || (notice_ && notice_->isOpen())) return;
  if (confirmDownload && !confirmDownload()) return;
  if (app_.setting(app::kConfirmDownloadSetting) == app::kConfirmDownloadOff) {
    startDownload();
    return;
  }
  notice_ = std::make_unique<ConfirmDownloadDialog>();
  notice_->DoModal(dialogs_, [this](int result) {
    // The box counts whatever closed the notice.
    app_.setSetting(app::kConfirmDownloadSetting,
                    std::string(notice_->dontShow() ? app::kConfirmDownloadOff : app::kConfirmDownloadOn));
    if (result == kIdOk) startDownload();
  });
}

void MainView::startDownload() { link_.Download(portChoice()); }

// ---------------------------------------------------------------- dialogs

InitializeDialog* MainView::initializeDialog() { return initDialog_.isOpen() ? &initDialog_ : nullptr; }
CommandSendingDialog* MainView::commandDialog() { return commandDialog_.isOpen() ? &commandDialog_ : nullptr; }
ConfirmDownloadDialog* MainView::downloadNotice() { return notice_ && notice_->isOpen() ? notice_.get() : nullptr; }
bool MainView::isLinkBusy() const { return initDialog_.isOpen() || commandDialog_.isOpen(); }

void MainView::openProgressDialog(ProgressDialog& dialog, int range) {
  if (dialog.isOpen()) return;
  dialog.setRange(0, range);
  markTransferDialogs();
  ++waitCursors_;
  ui_.beginWaitCursor();
  dialog.DoModal(dialogs_, [this](int) {
    if (waitCursors_ > 0) {
      --waitCursors_;
      ui_.endWaitCursor();
    }
  });
}

void MainView::ActivityChanged(comm::LinkActivity activity, int range) {
  switch (activity) {
    case comm::LinkActivity::Connecting:
      openProgressDialog(initDialog_, range);
      break;
    case comm::LinkActivity::SendingCommands:
      openProgressDialog(commandDialog_, range);
      break;
    case comm::LinkActivity::None:
      if (initDialog_.isOpen()) initDialog_.OnOK();
      if (commandDialog_.isOpen()) commandDialog_.OnOK();
      break;
  }
}

void MainView::ProgressChanged(comm::LinkActivity activity, int position) {
  if (activity == comm::LinkActivity::Connecting) initDialog_.setProgress(position);
  if (activity == comm::LinkActivity::SendingCommands) commandDialog_.setProgress(position);
}

// ---------------------------------------------------------------- link reports

void MainView::setStatusText(std::string_view text) {
  statusText_ = std::string(text);
  showStatus();
}

void MainView::PortSelected() {
  showStatus();
  if (onPortChosen) onPortChosen();
}

void MainView::showStatus() {
  std::string shown = statusText_;
  if (!shown.empty() && virtualReceiverSelected()) shown += " (" + std::string(kVirtualReceiverMark) + ")";
  status_.setText(std::move(shown));
}

void MainView::markTransferDialogs() {
  const std::string note = virtualReceiverSelected() ? std::string(kVirtualReceiverNote) : std::string();
  initDialog_.setTargetNote(note);
  commandDialog_.setTargetNote(note);
}

void MainView::ConnectionChanged(comm::ConnectionState state) {
  const ConnectionLook& look = LookOf(state);
  if (look.statusText != 0) setStatusText(MessageText(look.statusText));
  const std::pair<Control*, Enabled> controls[] = {{&portList_, look.portList},
                                                   {&open_, look.open},
                                                   {&close_, look.close},
                                                   {&dataReloadGroup_, look.dataReloadGroup},
                                                   {&reload_, look.reload}};
  for (const auto& [control, enabled] : controls) {
    if (enabled != Enabled::Unchanged) control->setEnabled(enabled == Enabled::Yes);
  }
}

void MainView::StatusWordChanged(comm::StatusWord word) { statusBar_.setText(std::string(StatusWordText(word))); }

void MainView::MessageRaised(comm::LinkMessage message) {
  // A port that cannot be opened says why and what to do after the message users know.
  std::string detail;
  if (message == comm::LinkMessage::PortError) {
    const int selected = portList_.curSel();
    const bool named = selected >= 0 && static_cast<std::size_t>(selected) < entryDevices_.size() &&
                       !entryDevices_[static_cast<std::size_t>(selected)].empty();
    detail = named ? app_.port().lastError()
                   : "No serial port was found on this computer. Plug in the receiver's USB serial adapter, then "
                     "choose Open again.";
  } else if (message == comm::LinkMessage::CableCheck || message == comm::LinkMessage::ConnectionCheck) {
    // The port's own words, when it has any since it opened: a device that went away.
    detail = app_.port().lastError();
  }
  ShowError(ui_, MessageId(message), detail);
}

void MainView::RefreshAllPages() {
  if (basic_ != nullptr) basic_->RefreshBasicControls();
  if (sheet_ != nullptr) sheet_->RefreshAll();
}

void MainView::RefreshBasicItem(int number, bool update) {
  if (basic_ != nullptr) basic_->RefreshBasicItem(number, update);
}

void MainView::RefreshActiveItems(const std::vector<int>& numbers) {
  if (sheet_ != nullptr) sheet_->RefreshActiveItems(numbers);
  if (basic_ != nullptr) basic_->RestoreFocus();
}

void MainView::UpdateCapabilities() {
  if (basic_ != nullptr) basic_->UpdateCapabilities(link_.capabilities());
  if (sheet_ != nullptr) sheet_->UpdateAvailability();
}

void MainView::RestoreFocus() {
  if (basic_ != nullptr) basic_->RestoreFocus();
  if (sheet_ != nullptr) sheet_->RestoreFocus();
}

void MainView::TransferFailed(comm::LinkMode mode, int failed, int total) {
  ui_.messageBox(FailedTransferText(mode, failed, total, app_.log().errorLogPath().string()), kApplicationTitle,
                 MessageIcon::Stop, MessageButtons::Ok);
}

void MainView::WriteBackFailed(const std::vector<int>& numbers, int total) {
  ui_.messageBox(FailedWriteBackText(static_cast<int>(numbers.size()), total, DescribeSettings(numbers),
                                     app_.log().errorLogPath().string()),
                 kApplicationTitle, MessageIcon::Exclamation, MessageButtons::Ok);
}

std::string MainView::DescribeSettings(const std::vector<int>& numbers) {
  std::vector<std::string> names;
  for (const int number : numbers) {
    const std::optional<ItemName> item = describeParameter(number, {});
    std::string name = item ? "[" + item->first + "] " + item->second : "parameter " + std::to_string(number);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  }
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kNamedSettings; ++i) text += (i == 0 ? "" : ", ") + names[i];
  if (names.size() > kNamedSettings) text += " and " + std::to_string(names.size() - kNamedSettings) + " more";
  return text;
}

void MainView::UploadInterrupted(const comm::UploadInterruption& what) {
  if (what.stage == comm::UploadInterruption::Stage::WritingBack && commandDialog_.isOpen()) {
    commandDialog_.showWriteBack(what.firstEntry, what.entryCount);
  }
  if (onUploadInterrupted) onUploadInterrupted(what);
}

void MainView::ConnectFinished(bool connected) {
  if (onConnectFinished) onConnectFinished(connected);
}

void MainView::CommandsFinished(comm::ListResult result) {
  if (onCommandsFinished) onCommandsFinished(result);
}

std::optional<ItemName> MainView::describeParameter(int number, std::string_view command) {
  if (basic_ != nullptr) {
    if (auto item = basic_->DescribeBasicItem(link_.imageInUse(), number); item && !item->first.empty()) return item;
  }
  if (sheet_ != nullptr) return sheet_->DescribeItem(link_.imageInUse(), number, command);
  return std::nullopt;
}

}  // namespace tw::ui
