// The receiver line through QSerialPort on a pseudo-terminal, answered by the virtual
// receiver on the other end: the production backend and the probe command end to end.

#include "comm/link.h"
#include "comm/device_gone.h"
#include "comm/link_constants.h"
#include "comm/link_observer.h"
#include "emu/virtual_receiver.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace tw::platform {
namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "tw_test_platform";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
  return *static_cast<QCoreApplication*>(app);
}

// The master side of a pseudo-terminal, answered frame by frame by a virtual receiver.
class PtyReceiver {
 public:
  explicit PtyReceiver(const emu::EmulatorConfig& config) : receiver_(config) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slave_ = ptsname(master_);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readAvailable(); });
  }
  ~PtyReceiver() { hangUp(); }

  const std::string& slavePath() const { return slave_; }
  bool ok() const { return master_ >= 0 && !slave_.empty(); }
  int framesAnswered() const { return answered_; }
  // The cable goes away: the tool's end reads end-of-file or an error from now on.
  void hangUp() {
    notifier_.reset();
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  void readAvailable() {
    char buffer[512];
    for (;;) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      pending_.append(buffer, static_cast<std::size_t>(n));
    }
    std::size_t end;
    while ((end = pending_.find('\x03')) != std::string::npos) {
      std::string frame = pending_.substr(0, end + 1);
      pending_.erase(0, end + 1);
      const std::size_t start = frame.find_first_of("\x02\x14");
      if (start == std::string::npos) continue;
      for (const std::string& reply : receiver_.handleFrame(frame.substr(start))) {
        if (::write(master_, reply.data(), reply.size()) < 0) return;
      }
      ++answered_;
    }
  }

  emu::VirtualReceiver receiver_;
  int master_ = -1;
  std::string slave_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::string pending_;
  int answered_ = 0;
};

class StopView final : public comm::LinkObserver {
 public:
  std::function<void()> onProgress4;
  std::function<void()> onEnd;
  void ProgressChanged(comm::LinkActivity activity, int position) override {
    if (activity == comm::LinkActivity::Connecting && position == model::kCapabilityRow && onProgress4) onProgress4();
  }
  void MessageRaised(comm::LinkMessage message) override { messages.push_back(message); }
  void ConnectFinished(bool connected) override {
    connect = connected ? 1 : 0;
    if (onEnd && !connected) onEnd();
  }
  void CommandsFinished(comm::ListResult result) override {
    commands = static_cast<int>(result);
    if (onEnd) onEnd();
  }
  std::vector<comm::LinkMessage> messages;
  int connect = -1;
  int commands = -1;
};

// Runs the event loop until `quit` is called or a generous safety limit passes.
void RunLoop(QtScheduler& scheduler, std::function<void()>& quit, int limitMs = 20000) {
  QEventLoop loop;
  quit = [&] { scheduler.post([&loop] { loop.quit(); }); };
  QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
  loop.exec();
}

// While the link holds the line it leaves what arrived with the port and reads it after its
// pause; the backend must not call it again and again meanwhile (that spun the event loop
// through every pause). Once the handler reads, it gets everything.
TEST(QSerialPty, AHandlerThatLeavesTheBytesIsNotCalledAgainUntilMoreArrive) {
  App();
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
  QSerialPortBackend port;
  ASSERT_TRUE(port.open(ptsname(master)));
  int calls = 0;
  bool holding = true;
  std::string received;
  port.setReadyReadHandler([&] {
    ++calls;
    if (!holding) received += port.readAll();
  });
  // Waits for the handler's next call (the bytes cross the pseudo-terminal), then gives the
  // event loop many more passes: a backend that announced again would call it on each.
  auto deliver = [&](int callsBefore) {
    for (int wait = 0; wait < 200 && calls == callsBefore; ++wait) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    for (int pass = 0; pass < 1000; ++pass) QCoreApplication::processEvents();
  };
  ASSERT_EQ(::write(master, "\x02" "002800\x03", 8), 8);
  deliver(0);
  EXPECT_EQ(calls, 1);
  holding = false;
  ASSERT_EQ(::write(master, "\x02" "002101\x03", 8), 8);
  deliver(1);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(received, "\x02" "002800\x03" "\x02" "002101\x03");
  port.close();
  ::close(master);
}

TEST(QSerialPty, RealTimeConnectReadsCapabilitiesThroughQSerialPort) {
  App();
  emu::EmulatorConfig config;
  config.zone2 = false;
  config.aac = false;
  config.tunerRegion = 3;
  PtyReceiver receiver(config);
  ASSERT_TRUE(receiver.ok());

  QtScheduler scheduler;
  QSerialPortBackend port;
  StopView view;
  comm::Link link(port, scheduler, comm::WorkingMode::RealTime);
  link.setObserver(&view);
  std::function<void()> quit;
  view.onProgress4 = [&] { quit(); };
  view.onEnd = [&] { quit(); };
  link.Open(comm::PortChoice::Fixed(receiver.slavePath()));
  RunLoop(scheduler, quit);

  EXPECT_EQ(link.modelCode(), "R0210");
  EXPECT_GE(link.startCursor(), 5);  // rows 0..4 answered (the read may have gone on a little)
  EXPECT_EQ(link.tunerRegion(), 3);
  EXPECT_EQ(link.capabilities().zone2, 0);
  EXPECT_EQ(link.capabilities().zone3, 1);
  EXPECT_EQ(link.capabilities().aac, 0);
  EXPECT_TRUE(port.ctsOn());  // a pseudo-terminal has no modem lines: CTS counts as on
  link.Close();
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(view.messages.empty());
}

TEST(QSerialPty, DeviceThatGoesAwayMidListEndsItWithTheCableMessage) {
  App();
  PtyReceiver receiver{emu::EmulatorConfig{}};
  ASSERT_TRUE(receiver.ok());

  QtScheduler scheduler;
  QSerialPortBackend port;
  StopView view;
  comm::Link link(port, scheduler, comm::WorkingMode::Async);
  link.setObserver(&view);
  std::function<void()> quit;
  view.onEnd = [&] { quit(); };
  link.Download(comm::PortChoice::Fixed(receiver.slavePath()));
  // Pull the cable once the download list has started.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (link.isSendingCommands()) {
      receiver.hangUp();
      poll.stop();
    }
  });
  poll.start(5);
  RunLoop(scheduler, quit);

  EXPECT_EQ(view.connect, 1);
  EXPECT_EQ(view.commands, 2);
  EXPECT_EQ(view.messages, std::vector<comm::LinkMessage>{comm::LinkMessage::CableCheck});
  EXPECT_FALSE(link.isPortOpen());
  // What the program adds to the cable message: which device went, and what to do.
  EXPECT_EQ(port.lastError(), comm::DeviceGoneText(receiver.slavePath()));
}

TEST(QSerialPty, OpeningAMissingDeviceFails) {
  App();
  QSerialPortBackend port;
  EXPECT_FALSE(port.open("/dev/tunewright-no-such-device"));
  EXPECT_FALSE(port.lastError().empty());
  EXPECT_FALSE(port.write("\x02" "20000\x03"));
  EXPECT_FALSE(port.ctsOn());
  EXPECT_EQ(port.readAll(), "");
}

}  // namespace
}  // namespace tw::platform
