#pragma once

#include "comm/serial_port.h"

#include <string>

namespace tw::app {

// One port for the link that reaches either the real serial ports or the built-in virtual
// receiver: opening `virtualDevice` uses the virtual receiver's end, any other name the
// real backend. The port list thus offers the virtual receiver like one more port.
class RoutedSerialPort final : public comm::SerialPort {
 public:
  RoutedSerialPort(comm::SerialPort& real, comm::SerialPort& virtualPort, std::string virtualDevice);

  bool open(const std::string& device) override;
  void close() override;
  bool isOpen() const override;
  bool write(std::string_view bytes) override;
  std::string readAll() override;
  bool ctsOn() const override;
  void setReadyReadHandler(std::function<void()> handler) override;
  std::string lastError() const override;
  // The real ports only; the list adds the virtual receiver's entry itself.
  std::vector<std::string> availablePorts() const override;

 private:
  comm::SerialPort& active() const { return usingVirtual_ ? virtual_ : real_; }

  comm::SerialPort& real_;
  comm::SerialPort& virtual_;
  std::string virtualDevice_;
  bool usingVirtual_ = false;
};

}  // namespace tw::app
