#pragma once

#include "comm/serial_port.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tw::app {

// The one device the user named, offered as the only entry of the port list (a pseudo-
// terminal, or a device that is missing, is not among the ports the system lists).
class GivenDevicePort final : public comm::SerialPort {
 public:
  GivenDevicePort(std::string device, std::unique_ptr<comm::SerialPort> port)
      : device_(std::move(device)), port_(std::move(port)) {}
  bool open(const std::string& device) override { return port_->open(device); }
  void close() override { port_->close(); }
  bool isOpen() const override { return port_->isOpen(); }
  bool write(std::string_view bytes) override { return port_->write(bytes); }
  std::string readAll() override { return port_->readAll(); }
  bool ctsOn() const override { return port_->ctsOn(); }
  void setReadyReadHandler(std::function<void()> handler) override { port_->setReadyReadHandler(std::move(handler)); }
  std::string lastError() const override { return port_->lastError(); }
  std::vector<std::string> availablePorts() const override { return {device_}; }

 private:
  std::string device_;
  std::unique_ptr<comm::SerialPort> port_;
};

}  // namespace tw::app
