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
#include "gui/desktop.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/screenshots.h"
#include "gui/startup.h"
#include "pages/workbench.h"
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
  tw::gui::QtUiServices ui;
  tw::gui::QtDialogHost dialogs;
  auto serial = std::make_unique<tw::platform::QSerialPortBackend>();
  // Without any serial port the virtual receiver is offered anyway, so there is something
  // to connect to.
  const bool offerVirtualReceiver = options.demo || serial->availablePorts().empty();
  tw::pages::Workbench bench({scheduler,
                              ui,
                              dialogs,
                              {tw::app::DefaultSettingsPath("tunewright"), std::filesystem::temp_directory_path()},
                              [&serial]() -> std::unique_ptr<tw::comm::SerialPort> { return std::move(serial); },
                              {},
                              offerVirtualReceiver});
  tw::gui::DesktopStartupUi startup(dialogs, options);
  std::unique_ptr<tw::gui::Desktop> desktop;

  // Start-up runs inside the event loop: its dialogs are continuations, and an early end
  // must be able to quit the loop.
  QTimer::singleShot(0, [&] {
    bench.Start(options.rest, startup, [&](bool ok) {
      if (!ok || !bench.hasWindow()) {
        QApplication::exit(0);  // a registration switch or a cancelled Start Mode ends quietly
        return;
      }
      desktop = std::make_unique<tw::gui::Desktop>(bench, ui, dialogs, options.demo);
      if (!options.screenshots.empty()) {
        const int written = tw::gui::WriteScreenshots(desktop->window(), bench, desktop->document(), dialogs,
                                                      QString::fromStdString(options.screenshots));
        std::cout << written << " screenshots in " << options.screenshots << '\n';
        desktop->window().close();
        QApplication::exit(written > 0 ? 0 : 1);
      }
    });
  });
  const int status = QApplication::exec();
  desktop.reset();
  bench.Shutdown();
  return status;
}
