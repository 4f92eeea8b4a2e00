// The desktop program in real time, as a user meets it: the time from the start of the
// process to the first painted main window, then full Async uploads over a pseudo-terminal
// through the real serial backend (QSerialPort) from `tunewright-cli emulate`, one with
// each pacing of the reads. While each upload runs, a 10 ms timer records how late it
// fires: the longest lateness is the longest stall of the window's event loop.
//
//   bench_desktop_upload CLI_PATH [mandated|reply|both]     (QT_QPA_PLATFORM=offscreen)
//
// Prints one JSON object on stdout.

#include "app/app_settings.h"
#include "app/given_device_port.h"
#include "app/state_folder.h"
#include "gui/desktop.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "session/workbench.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tw;
using Clock = std::chrono::steady_clock;

const Clock::time_point kProcessStart = Clock::now();

double MsSince(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Records the first paint of a widget.
class FirstPaint final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !atMs) atMs = MsSince(kProcessStart);
    return QObject::eventFilter(watched, event);
  }
  std::optional<double> atMs;
};

// A timer that measures its own lateness.
class StallMeter {
 public:
  static constexpr int kIntervalMs = 10;
  StallMeter() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const double now = clock_.nsecsElapsed() / 1e6;
      const double late = now - last_ - kIntervalMs;
      if (late > worstMs) {
        worstMs = late;
        worstAtS = now / 1000.0;
      }
      if (late > 50) ++over50;
      last_ = now;
      ++ticks;
    });
    timer_.setTimerType(Qt::PreciseTimer);
  }
  void start() {
    worstMs = 0;
    over50 = 0;
    ticks = 0;
    clock_.start();
    last_ = 0;
    timer_.start(kIntervalMs);
  }
  void stop() { timer_.stop(); }
  double worstMs = 0;
  double worstAtS = 0;  // seconds into the upload
  int over50 = 0;
  long ticks = 0;

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  double last_ = 0;
};

struct UploadFigures {
  std::string pacing;
  bool ok = false;
  double wallS = 0;
  double worstStallMs = 0;
  double worstStallAtS = 0;
  int stallsOver50 = 0;
  long ticks = 0;
};

std::string Json(const std::vector<UploadFigures>& uploads, std::optional<double> firstPaintMs, bool sameSettings,
                 const std::string& differing) {
  std::ostringstream out;
  out << "{\"first_paint_ms\": ";
  if (firstPaintMs) {
    out << *firstPaintMs;
  } else {
    out << "null";
  }
  out << ", \"same_settings\": " << (sameSettings ? "true" : "false") << ", \"differing_images\": [" << differing
      << "], \"uploads\": [";
  for (std::size_t i = 0; i < uploads.size(); ++i) {
    const UploadFigures& u = uploads[i];
    out << (i ? ", " : "") << "{\"pacing\": \"" << u.pacing << "\", \"ok\": " << (u.ok ? "true" : "false")
        << ", \"wall_s\": " << u.wallS << ", \"worst_stall_ms\": " << u.worstStallMs << ", \"worst_stall_at_s\": " << u.worstStallAtS
        << ", \"stalls_over_50ms\": " << u.stallsOver50 << ", \"timer_ticks\": " << u.ticks << "}";
  }
  out << "]}";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: bench_desktop_upload CLI_PATH [mandated|reply|both]\n";
    return 2;
  }
  const std::string cli = argv[1];
  const std::string which = argc > 2 ? argv[2] : "both";
  std::vector<comm::ReadPacing> pacings;
  if (which != "reply") pacings.push_back(comm::ReadPacing::Mandated);
  if (which != "mandated") pacings.push_back(comm::ReadPacing::Reply);

  QApplication application(argc, argv);
  // The virtual receiver on a pseudo-terminal, with the same seeded settings as the
  // virtual-clock benchmark.
  QProcess emulator;
  emulator.start(QString::fromStdString(cli), {"emulate", "--emulator-option", "seed=3"});
  if (!emulator.waitForStarted(10000) || !emulator.waitForReadyRead(10000)) {
    std::cerr << "tunewright-cli emulate did not start\n";
    return 1;
  }
  const std::string device = emulator.readLine().trimmed().toStdString();

  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tunewright-bench-desktop";
  std::filesystem::create_directories(folder);
  platform::QtScheduler scheduler;
  gui::QtUiServices ui;
  gui::QtDialogHost dialogs;
  session::Workbench bench({scheduler, ui, dialogs, {folder / "bench.ini", folder},
                          [device]() -> std::unique_ptr<comm::SerialPort> {
                            return std::make_unique<app::GivenDevicePort>(
                                device, std::make_unique<platform::QSerialPortBackend>());
                          },
                          {}, false});
  session::PresetStartup startup(app::kStartModeAsync, 1);
  std::unique_ptr<gui::Desktop> desktop;
  FirstPaint paint;
  StallMeter stalls;
  std::vector<UploadFigures> uploads;
  std::vector<std::array<model::ParameterImage, model::kImageCount>> results;

  // Each upload in turn, then the end.
  std::function<void(std::size_t)> upload = [&](std::size_t index) {
    if (index >= pacings.size()) {
      QApplication::exit(0);
      return;
    }
    UploadFigures figures;
    figures.pacing = std::string(pacings[index] == comm::ReadPacing::Reply ? comm::kPacingReplyName
                                                                           : comm::kPacingMandatedName);
    bench.link().setReadPacing(pacings[index]);
    const Clock::time_point start = Clock::now();
    stalls.start();
    const bool started = bench.Run(session::Workbench::Operation::Upload, [&, index, start, figures](
                                                                            session::Workbench::Outcome outcome) mutable {
      stalls.stop();
      figures.wallS = MsSince(start) / 1000.0;
      figures.ok = outcome.connected && outcome.listResult == 0;
      figures.worstStallMs = stalls.worstMs;
      figures.worstStallAtS = stalls.worstAtS;
      figures.stallsOver50 = stalls.over50;
      figures.ticks = stalls.ticks;
      uploads.push_back(figures);
      results.push_back(bench.link().images().All());
      std::cerr << figures.pacing << " upload: " << figures.wallS << " s\n";
      QTimer::singleShot(500, [&, index] { upload(index + 1); });
    });
    if (!started) QApplication::exit(1);
  };

  QTimer::singleShot(0, [&] {
    bench.Start({}, startup, [&](bool ok) {
      if (!ok || !bench.hasWindow() || !bench.SelectPort(device)) {
        QApplication::exit(1);
        return;
      }
      desktop = std::make_unique<gui::Desktop>(bench, ui, dialogs, false);
      desktop->window().installEventFilter(&paint);
      // The uploads start once the window has painted (or after a second without a paint).
      QTimer::singleShot(1000, [&] { upload(0); });
    });
  });
  // However long the uploads take, the benchmark ends.
  QTimer::singleShot(30 * 60 * 1000, [] { QApplication::exit(1); });
  const int status = QApplication::exec();

  bool same = results.size() == pacings.size();
  std::string differing;
  for (std::size_t i = 1; i < results.size(); ++i) {
    for (std::size_t image = 0; image < model::kImageCount; ++image) {
      if (results[i][image] == results[0][image]) continue;
      same = false;
      differing += (differing.empty() ? "" : ", ") + std::to_string(image);
    }
  }
  std::cout << Json(uploads, paint.atMs, same, differing) << std::endl;

  desktop.reset();
  bench.Shutdown();
  emulator.terminate();
  emulator.waitForFinished(5000);
  return status;
}
