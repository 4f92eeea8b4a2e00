#pragma once

#include <memory>

#include "comm/scheduler.h"
#include "comm/serial_port.h"
#include "emu/emulator_options.h"
#include "emu/receiver_line.h"
#include "emu/transcript.h"
#include "emu/virtual_receiver.h"

namespace tw::emu {

// The serial port the tool opens to talk to the in-process virtual receiver. The receiver
// lives as long as the port object (its settings survive close and open, like a device
// that stays switched on); the line is set up on each open.
class EmulatorPort final : public comm::SerialPort {
 public:
  static constexpr const char* kDeviceName = "emulator";

  EmulatorPort(comm::Scheduler& clock, const EmulatorConfig& config);
  ~EmulatorPort() override;

  bool open(const std::string& device) override;
  void close() override;
  bool isOpen() const override { return line_ != nullptr && !gone(); }
  bool write(std::string_view bytes) override;
  std::string readAll() override;
  bool ctsOn() const override;
  void setReadyReadHandler(std::function<void()> handler) override { readyRead_ = std::move(handler); }
  std::string lastError() const override;
  std::vector<std::string> availablePorts() const override { return {kDeviceName}; }

  VirtualReceiver& receiver() { return receiver_; }
  const VirtualReceiver& receiver() const { return receiver_; }
  Transcript& transcript() { return transcript_; }

 private:
  // The device was pulled out (vanish-at): nothing reaches it, nothing comes from it.
  bool gone() const;

  comm::Scheduler& clock_;
  EmulatorConfig config_;
  std::int64_t originMs_;
  VirtualReceiver receiver_;
  Transcript transcript_;
  std::unique_ptr<ReceiverLine> line_;
  std::string received_;
  std::function<void()> readyRead_;
  std::string lastError_;
};

}  // namespace tw::emu
