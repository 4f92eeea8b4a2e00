#pragma once

#include "comm/link_constants.h"

#include <string>
#include <utility>
#include <vector>

namespace tw::comm {

class Link;

// Which port a connection attempt uses: one fixed device, or a scan over a list that tries
// each device three times before moving to the next.
struct PortChoice {
  std::vector<std::string> ports;  // scan list (in port-list order, without "Auto")
  std::string fixed;               // the fixed device when not scanning
  bool scan = false;

  static PortChoice Fixed(std::string device) { return PortChoice{{}, std::move(device), false}; }
  static PortChoice Scan(std::vector<std::string> devices) { return PortChoice{std::move(devices), {}, true}; }
};

// The link's connection attempts: the retries on a fixed port or the scan over a port list,
// each attempt shown before its port opens, and the list that follows a connect.
class ConnectionAttempts {
 public:
  // What runs once the connect has fully ended.
  enum class Operation { None, Upload, Download };
  explicit ConnectionAttempts(Link& link) : link_(link) {}

  void begin(const PortChoice& ports, Operation operation);
  void onRetryTimer();
  // End of a connect attempt; failed closes the port.
  void FinishConnect(bool failed);
  // A cancelled upload or download does not start its list.
  void dropOperation() { pending_ = Operation::None; }
  bool isConnecting() const { return connecting_; }
  // A retry closes the port between attempts of one connection.
  bool inRetryStep() const { return inRetryStep_; }
  LinkMode savedLinkOperation() const { return savedLinkOperation_; }

 private:
  void startAttempt(bool firstAttempt);
  void openPortForAttempt(const std::string& device);
  void endAttempt(bool connected);

  Link& link_;
  PortChoice ports_;
  int portIndex_ = -1;  // -1 fixed port; n >= 1 scanning at ports_[n - 1]
  int retryCount_ = 0;
  LinkMode savedLinkOperation_ = LinkMode::Idle;
  bool connecting_ = false;  // a connection attempt runs
  bool inRetryStep_ = false;
  bool attemptRunning_ = false;
  Operation pending_ = Operation::None;
  unsigned attemptSerial_ = 0;
};

}  // namespace tw::comm
