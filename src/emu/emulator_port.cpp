#include "emu/emulator_port.h"

#include "comm/device_gone.h"

namespace tw::emu {

EmulatorPort::EmulatorPort(comm::Scheduler& clock, const EmulatorConfig& config)
    : clock_(clock), config_(config), originMs_(clock.now()), receiver_(config) {}

EmulatorPort::~EmulatorPort() = default;

bool EmulatorPort::open(const std::string& device) {
  if (device != kDeviceName) {
    lastError_ = "no such device: " + device + " (the virtual receiver is \"" + kDeviceName + "\")";
    return false;
  }
  if (gone()) return false;
  if (line_) {
    lastError_ = "the virtual receiver's port is already open";
    return false;
  }
  received_.clear();
  line_ = std::make_unique<ReceiverLine>(
      clock_, receiver_, config_, transcript_,
      [this](std::string bytes) {
        if (gone()) return;
        received_ += bytes;
        if (readyRead_) readyRead_();
      },
      originMs_);
  lastError_.clear();
  return true;
}

void EmulatorPort::close() {
  line_.reset();
  received_.clear();
}

// Once the device is gone that is what matters, whatever was tried since.
std::string EmulatorPort::lastError() const { return gone() ? comm::DeviceGoneText(kDeviceName) : lastError_; }

bool EmulatorPort::gone() const { return config_.vanishAtMs >= 0 && clock_.now() >= originMs_ + config_.vanishAtMs; }

bool EmulatorPort::write(std::string_view bytes) {
  if (gone()) {
    line_.reset();
    received_.clear();
    return false;
  }
  if (!line_) {
    lastError_ = "the port is not open";
    return false;
  }
  line_->fromTool(bytes);
  return true;
}

std::string EmulatorPort::readAll() {
  if (gone()) return {};
  std::string bytes;
  bytes.swap(received_);
  return bytes;
}

bool EmulatorPort::ctsOn() const {
  if (gone()) return false;
  if (line_) return line_->ctsOn();
  return config_.ctsOffAtMs < 0 || clock_.now() < originMs_ + config_.ctsOffAtMs;
}

}  // namespace tw::emu
