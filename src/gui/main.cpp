// tunewright: the desktop program.
//
//   tunewright [Qt options] [--mode async|realtime] [--region N] [--demo] [--screenshots DIR] [FILE.qcf]
//
// Without --mode and --region it asks as it always has (Start Mode, then in Async Mode the
// Tuner Region). --demo offers the built-in virtual receiver in the port list and selects
// it; without it only real serial ports are offered. --screenshots writes PNGs of the window
// with each page and of its dialogs into DIR, then ends.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <memory>

#include "app/app_settings.h"
#include "app/application.h"
#include "app/state_folder.h"
#include "gui/app_icon.h"
#include "gui/desktop.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/screenshots.h"
#include "gui/startup.h"
#include "session/workbench.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"

int main(int argc, char** argv) {
  // Registration switches, --help and --version end before the window system is needed.
  const std::vector<std::string> raw(argv + std::min(argc, 1), argv + argc);
  if (tw::app::ParseCommandLine(raw).registrationSwitch) return 0;
  if (const auto early = tw::gui::EarlyAnswer(raw)) {
    std::cout << *early;
    return 0;
  }

  // The application takes its own options (-style, -platform, ...) off the command line
  // first; what is left is the program's.
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tunewright"));
  QGuiApplication::setDesktopFileName(QStringLiteral("tunewright"));
  QApplication::setWindowIcon(tw::gui::AppIcon());
  const tw::gui::DesktopOptions options = tw::gui::ParseDesktopOptions(tw::gui::ProgramArguments());
  if (!options.error.empty()) {
    std::cerr << "tunewright: " << options.error << '\n';
    return 2;
  }

  tw::platform::QtScheduler scheduler;
  tw::gui::QtUiServices ui;
  tw::gui::QtDialogHost dialogs;
  auto serial = std::make_unique<tw::platform::QSerialPortBackend>();
  tw::session::Workbench bench({scheduler,
                              ui,
                              dialogs,
                              {tw::app::DefaultSettingsPath("tunewright"), tw::app::DefaultStateFolder()},
                              [&serial]() -> std::unique_ptr<tw::comm::SerialPort> { return std::move(serial); },
                              {},
                              options.demo});
  bench.app().setReadPacing(options.pacing);
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
        const int written = tw::gui::WriteScreenshots(desktop->window(), bench, desktop->document(), ui, dialogs,
                                                      options.screenshotSize,
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
