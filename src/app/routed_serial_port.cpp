#include "app/routed_serial_port.h"

namespace tw::app {

RoutedSerialPort::RoutedSerialPort(comm::SerialPort& real, comm::SerialPort& virtualPort, std::string virtualDevice)
    : real_(real), virtual_(virtualPort), virtualDevice_(std::move(virtualDevice)) {}

bool RoutedSerialPort::open(const std::string& device) {
  if (isOpen()) return false;
  usingVirtual_ = device == virtualDevice_;
  return active().open(device);
}

void RoutedSerialPort::close() { active().close(); }
bool RoutedSerialPort::isOpen() const { return active().isOpen(); }
bool RoutedSerialPort::write(std::string_view bytes) { return active().write(bytes); }
std::string RoutedSerialPort::readAll() { return active().readAll(); }
bool RoutedSerialPort::ctsOn() const { return active().ctsOn(); }

void RoutedSerialPort::setReadyReadHandler(std::function<void()> handler) {
  // Only the open side ever has bytes, so both may call the same handler.
  real_.setReadyReadHandler(handler);
  virtual_.setReadyReadHandler(std::move(handler));
}

std::string RoutedSerialPort::lastError() const { return active().lastError(); }
std::vector<std::string> RoutedSerialPort::availablePorts() const { return real_.availablePorts(); }

}  // namespace tw::app
