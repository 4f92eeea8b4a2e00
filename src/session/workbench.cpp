#include "session/workbench.h"

#include <chrono>
#include <stdexcept>
#include <utility>
#include <variant>

#include "app/state_folder.h"
#include "model/parameter_access.h"
#include "pages/system/memory_page.h"
#include "session/transfer_pages.h"
#include "session/upload_recovery.h"
#include "pages/view_hooks.h"
#include "ui/dialogs/confirm_down_dlg.h"

namespace tw::session {
namespace {

// Stands in for the real ports when the front end has none (tests, a build without them).
class NoSerialPorts final : public comm::SerialPort {
 public:
  bool open(const std::string&) override { return false; }
  void close() override {}
  bool isOpen() const override { return false; }
  bool write(std::string_view) override { return false; }
  std::string readAll() override { return {}; }
  bool ctsOn() const override { return false; }
  void setReadyReadHandler(std::function<void()>) override {}
  std::string lastError() const override { return "no serial ports in this program"; }
  std::vector<std::string> availablePorts() const override { return {}; }
};

std::unique_ptr<comm::SerialPort> MakeRealPort(const WorkbenchSetup& setup) {
  std::unique_ptr<comm::SerialPort> port;
  if (setup.makeRealPort) port = setup.makeRealPort();
  if (!port) port = std::make_unique<NoSerialPorts>();
  return port;
}

}  // namespace

void PresetStartup::AskTunerRegion(comm::Link& link, std::function<void()> done) {
  if (tunerRegion_ >= 0) link.setTunerRegion(tunerRegion_);
  done();
}

// What the pages may ask of the main window: the window's parts, reached once they exist.
class WindowPageHost final : public pages::PageHost {
 public:
  static constexpr int kProgramNumber = 4;  // the Basic Control item of the sound program

  explicit WindowPageHost(Workbench& bench) : bench_(bench) {}
  void RefreshProgramDisplay() override { bench_.basicControls().RefreshBasicItem(kProgramNumber, true); }
  void RefreshAllPages() override {
    bench_.sheet().RefreshAll();
    bench_.basicControls().RefreshBasicControls();
  }
  void ReloadConfiguration() override { bench_.view().ReloadAll(); }
  ui::DialogHost& dialogs() override { return bench_.dialogs(); }

 private:
  Workbench& bench_;
};

// The main window's parts, in the order they are built; they go in reverse order, the view
// first, so that the link never reaches a page or group that is gone.
struct Workbench::Window {
  Window(Workbench& bench, ui::MainView::Options options)
      : host(bench),
        pageLink(bench.link()),
        sheet(pages::PageContext{pageLink, bench.ui_, 0, &host}, bench.pages_),
        basic(pageLink, bench.ui_, &sheet),
        transferPages(pageLink, configuration.memoryGroups()),
        memoryPage(pages::PageContext{pageLink, bench.ui_, 0, &host}, configuration.memoryGroups()),
        view(bench.app_, bench.ui_, bench.dialogs_, std::move(options)) {}

  WindowPageHost host;
  ui::CommPageLink pageLink;
  pages::Sheet sheet;
  ui::BasicControlGroup basic;
  settings::ConfigurationFile configuration{[this] { return pageLink.settingContext(); }};
  std::string memo;
  TransferPages transferPages;
  pages::SystemMemoryPage memoryPage;
  ui::MainView view;
};

Workbench::Workbench(WorkbenchSetup setup)
    : scheduler_(setup.scheduler),
      ui_(setup.ui),
      dialogs_(setup.dialogs),
      offerVirtualReceiver_(setup.offerVirtualReceiver),
      pages_(setup.pages),
      realPort_(MakeRealPort(setup)),
      virtualPort_(setup.scheduler, setup.emulator),
      port_(*realPort_, virtualPort_, std::string(kVirtualDevice)),
      app_(port_, setup.scheduler, std::move(setup.paths), std::move(setup.logClock)),
      startupDialogs_(setup.dialogs) {
  app::CommLog& log = app_.log();
  log.setFolderProblem(app::PreparePrivateFolder(log.folder()));
  // Said after the step that tried to open the log, so that no box opens inside the link.
  std::weak_ptr<bool> alive = alive_;
  log.setFailureReporter([this, alive](const std::filesystem::path& file, const std::string& reason) {
    scheduler_.post([this, alive, text = LogFailureText(file, reason)] {
      if (!alive.expired()) ui_.messageBox(text, ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
    });
  });
}

Workbench::~Workbench() { Shutdown(); }

void Workbench::Start(const std::vector<std::string>& arguments, std::function<void(bool windowed)> done) {
  Start(arguments, startupDialogs_, std::move(done));
}

void Workbench::Start(const std::vector<std::string>& arguments, app::StartupUi& startup,
                      std::function<void(bool windowed)> done) {
  std::weak_ptr<bool> alive = alive_;
  app_.InitInstance(arguments, startup, [this, alive, done = std::move(done)](bool ok) {
    if (alive.expired()) return;
    if (ok && !app_.automationStart() && !shutDown_) createWindow();
    if (done) done(ok);
  });
}

std::string LogFailureText(const std::filesystem::path& file, const std::string& reason) {
  return std::string(kLogFailureStart) + file.string() + " cannot be written (" + reason +
         ").\nThe connection or transfer goes on without it. Make sure that the folder " +
         file.parent_path().string() + " is yours and can be written to.";
}

void Workbench::createWindow() {
  ui::MainView::Options options;
  if (!offerVirtualReceiver_) options.virtualDevice.clear();
  window_ = std::make_unique<Window>(*this, std::move(options));
  Window& w = *window_;
  w.sheet.setPageSource(&w.transferPages);
  w.view.attachSheet(&w.sheet);
  w.view.attachBasicGroup(&w.basic);
  w.view.onConnectFinished = [this](bool connected) { connectFinished(connected); };
  w.view.onCommandsFinished = [this](comm::ListResult result) { commandsFinished(result); };
  w.view.onUploadInterrupted = [this](const comm::UploadInterruption& what) { uploadInterrupted(what); };
  w.view.onShowSystemMemory = [&w] { w.memoryPage.ShowWindow(); };
  w.view.confirmDownload = [this] { return confirmDownload(); };

  // Every page window exists before the form is arranged, as the frame creates the sheet
  // first.
  w.sheet.Create();
  // The System Memory window is created hidden with the sheet.
  w.memoryPage.OnInitDialog();
  // The timing report (behind its switch) is the configuration report of this moment.
  app_.log().setReportBuilder([this] { return BuildReport(); });
  InitialUpdate();
}

void Workbench::InitialUpdate() {
  Window& w = window();
  if (auto* distance = w.sheet.Find<pages::ModeAndUnitFollower>()) {
    const auto unit = model::GetParameter(*app_.link().images().Image(0), pages::kDistanceUnitNumber);
    const int unitValue = unit && std::holds_alternative<std::int32_t>(*unit) ? std::get<std::int32_t>(*unit) : 0;
    distance->SetModeAndUnit(!app_.isRealTime(), unitValue);
  }
  w.view.OnInitialUpdate();
}

void Workbench::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  alive_.reset();
  pending_ = nullptr;
  if (window_) {
    window_->view.OnDestroy();
    app_.log().setReportBuilder({});
    window_.reset();
  }
  if (const files::FileStatus settings = app_.ExitInstance(); !settings) {
    ui_.messageBox("Tunewright could not keep its settings (serial port, page, download notice) for the next "
                   "start.\n\n" + settings.error,
                   ui::kApplicationTitle, ui::MessageIcon::Exclamation, ui::MessageButtons::Ok);
  }
}

Workbench::Window& Workbench::window() const {
  if (!window_) throw std::logic_error("the main window does not exist");
  return *window_;
}

ui::MainView& Workbench::view() {
  return window().view;
}

pages::Sheet& Workbench::sheet() {
  return window().sheet;
}

ui::BasicControlGroup& Workbench::basicControls() {
  return window().basic;
}

pages::SystemMemoryPage& Workbench::memoryPage() {
  return window().memoryPage;
}

settings::ConfigurationFile& Workbench::configuration() {
  return window().configuration;
}

std::string& Workbench::userMemo() {
  return window().memo;
}

files::FileStatus Workbench::LoadConfiguration(const std::filesystem::path& path,
                                               std::vector<std::string>* warnings) {
  Window& w = window();
  files::Profile file;
  if (files::FileStatus status = file.Load(path); !status) return status;
  const std::string name = "\"" + path.string() + "\"";
  const settings::ConfigurationCheck check = w.configuration.LoadChecked(file, link().images(), w.memo);
  if (auto refusal = DescribeRefusal(check, name)) return files::FileStatus::Failure(std::move(*refusal));
  w.view.RefreshAllPages();
  if (warnings != nullptr) *warnings = DescribeWarnings(check, name);
  lackingSettings_.reset();
  if (auto lacking = DescribeLackingSettings(check)) lackingSettings_ = name + ", which " + *lacking;
  return files::FileStatus::Success();
}

bool Workbench::confirmDownload() {
  if (!lackingSettings_) return true;
  return ui_.messageBox("The settings were last loaded from " + *lackingSettings_ +
                            ". A download sends every setting, so for those the receiver would get the values "
                            "Tunewright holds: factory values unless an upload or another file set them.\n\n"
                            "Download anyway?",
                        ui::kApplicationTitle, ui::MessageIcon::Question,
                        ui::MessageButtons::OkCancel) == ui::MessageResult::Ok;
}

files::FileStatus Workbench::SaveConfiguration(const std::filesystem::path& path) {
  return window().configuration.Save(path, link().images(), window_->memo);
}

std::string Workbench::BuildReport() {
  return window().configuration.BuildReport(link().images(), window_->memo);
}

bool Workbench::SelectPort(std::string_view device) {
  if (!window_) return false;
  const std::vector<std::string>& devices = window_->view.entryDevices();
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i] == device) {
      window_->view.portList().setCurSel(static_cast<int>(i));
      window_->view.PortSelected();
      return true;
    }
  }
  return false;
}

bool Workbench::Run(Operation operation, std::function<void(Outcome)> done) {
  if (!window_ || pending_ || window_->view.isLinkBusy()) return false;
  pending_ = done ? std::move(done) : [](Outcome) {};
  pendingOperation_ = operation;
  interruption_.clear();
  ui::MainView& view = window_->view;
  switch (operation) {
    case Operation::Open:
      view.Open();
      break;
    case Operation::Reload:
      view.ReloadAll();
      break;
    case Operation::Upload:
      view.Upload();
      break;
    case Operation::Download:
      view.Download();
      // Whoever asked for the download has answered the notice already.
      if (ui::ConfirmDownloadDialog* notice = view.downloadNotice()) notice->okButton().click();
      break;
  }
  return true;
}

void Workbench::finish(Outcome outcome) {
  if (!pending_) return;
  auto done = std::move(pending_);
  pending_ = nullptr;
  done(outcome);
}

void Workbench::connectFinished(bool connected) {
  const bool listFollows = pendingOperation_ == Operation::Upload || pendingOperation_ == Operation::Download;
  if (pending_ && (!connected || !listFollows)) {
    finish(Outcome{connected, -1, false, {}});
  } else if (pending_) {
    // A connect cancelled in the Initialize dialog still counts as connected, but no list
    // follows; in Async Mode the link has closed the port by the time this posted check runs.
    std::weak_ptr<bool> alive = alive_;
    scheduler_.post([this, alive] {
      if (alive.expired() || !pending_ || !window_) return;
      if (!app_.link().isPortOpen() && !app_.link().isSendingCommands()) finish(Outcome{true, -1, false, {}});
    });
  }
  if (onConnectFinished) onConnectFinished(connected);
}

void Workbench::commandsFinished(comm::ListResult result) {
  // The receiver's own settings replaced whatever a file lacked.
  if (app_.link().uploadReadEverything()) lackingSettings_.reset();
  if (pending_ && (pendingOperation_ == Operation::Upload || pendingOperation_ == Operation::Download)) {
    finish(Outcome{true, static_cast<int>(result), app_.link().uploadReadEverything(), std::exchange(interruption_, {})});
  }
  if (onCommandsFinished) onCommandsFinished(result);
}

// The recovery file is written at once, inside the link's step, so that it exists whatever
// happens next; the message waits until the step is over.
void Workbench::uploadInterrupted(const comm::UploadInterruption& what) {
  ui::MainView& view = window_->view;
  RestoreTarget target{{}, view.virtualReceiverSelected()};
  const int selected = view.portList().curSel();
  if (selected >= 0 && static_cast<std::size_t>(selected) < view.entryDevices().size()) {
    target.device = view.entryDevices()[static_cast<std::size_t>(selected)];
  }
  std::string text = RecoverFromInterruption(what, window_->configuration, app_.log().folder(), target,
                                             std::chrono::system_clock::now());
  if (text.empty()) return;
  interruption_ = text;
  const auto icon = what.stage == comm::UploadInterruption::Stage::Restored ? ui::MessageIcon::Information
                                                                            : ui::MessageIcon::Stop;
  std::weak_ptr<bool> alive = alive_;
  scheduler_.post([this, alive, text = std::move(text), icon] {
    if (!alive.expired()) ui_.messageBox(text, ui::kApplicationTitle, icon, ui::MessageButtons::Ok);
  });
}

}  // namespace tw::session
