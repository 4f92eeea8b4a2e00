// tunewright: the desktop program.
//
//   tunewright [--mode async|realtime] [--region N] [--demo] [--screenshots DIR] [FILE.qcf]
//
// Without --mode and --region it asks as it always has (Start Mode, then in Async Mode the
// Tuner Region). --demo offers the built-in virtual receiver in the port list and selects
// it; it is offered anyway when no serial port exists. --screenshots writes PNGs of the
// window with each page and of its dialogs into DIR, then ends.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/app_settings.h"
#include "app/qamp_tool_app.h"
#include "app/routed_serial_port.h"
#include "emu/emulator_port.h"
#include "gui/desktop_session.h"
#include "gui/main_window.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/screenshots.h"
#include "gui/startup.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  const tw::gui::DesktopOptions options = tw::gui::ParseDesktopOptions(arguments);
  if (!options.error.empty()) {
    std::cerr << "tunewright: " << options.error << '\n';
    return 2;
  }
  // A registration switch ends the program before anything shows (no display needed).
  if (tw::app::ParseCommandLine(options.rest).registrationSwitch) return 0;
  QApplication application(argc, argv);

  tw::platform::QtScheduler scheduler;
  tw::platform::QSerialPortBackend serial;
  tw::emu::EmulatorPort virtualReceiver(scheduler, tw::emu::EmulatorConfig{});
  tw::app::RoutedSerialPort port(serial, virtualReceiver, tw::emu::EmulatorPort::kDeviceName);
  tw::app::CQAmpToolApp app(
      port, scheduler, {tw::app::DefaultSettingsPath("tunewright"), std::filesystem::temp_directory_path()});

  tw::gui::QtUiServices ui;
  tw::gui::QtDialogHost dialogs;
  tw::gui::DesktopStartupUi startup(dialogs, options);
  std::unique_ptr<tw::gui::DesktopSession> session;
  std::unique_ptr<tw::gui::MainWindow> window;

  // Start-up runs inside the event loop: its dialogs are continuations, and an early end
  // must be able to quit the loop.
  QTimer::singleShot(0, [&] {
    app.InitInstance(options.rest, startup, [&](bool ok) {
      if (!ok || app.automationStart()) {
        QApplication::exit(0);  // a registration switch or a cancelled Start Mode ends quietly
        return;
      }
      tw::ui::CQAmpToolView::Options viewOptions;
      const bool noSerialPort = port.availablePorts().empty();
      if (!options.demo && !noSerialPort) viewOptions.virtualDevice.clear();
      session = std::make_unique<tw::gui::DesktopSession>(app, ui, dialogs, viewOptions);
      if (options.demo) session->selectVirtualReceiver();
      window = std::make_unique<tw::gui::MainWindow>(*session, ui, dialogs);
      window->show();
      if (app.fileToOpen()) session->document().OnOpenDocument(*app.fileToOpen());
      if (!options.screenshots.empty()) {
        const int written = tw::gui::WriteScreenshots(*window, *session, dialogs,
                                                      QString::fromStdString(options.screenshots));
        std::cout << written << " screenshots in " << options.screenshots << '\n';
        window->close();
        QApplication::exit(written > 0 ? 0 : 1);
      }
    });
  });
  const int status = QApplication::exec();
  window.reset();
  session.reset();
  app.ExitInstance();
  return status;
}
