#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::comm {

// The receiver's serial line as the link sees it: 9600 baud, 8N1, RTS/CTS.
// Implementations: the QSerialPort backend (src/platform) and the in-process
// virtual receiver's end (src/emu).
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens `device` with the receiver's line settings; false (with lastError()) on failure.
  virtual bool open(const std::string& device) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  // Queues bytes for sending; false when the port is not open or the write failed.
  virtual bool write(std::string_view bytes) = 0;
  // Takes every byte that has arrived so far.
  virtual std::string readAll() = 0;
  // Clear To Send; a device that cannot report modem status counts as on.
  virtual bool ctsOn() const = 0;

  // Called (on the user-interface thread) whenever bytes are waiting.
  virtual void setReadyReadHandler(std::function<void()> handler) = 0;

  virtual std::string lastError() const = 0;

  // Device names this kind of port can open, in a stable order.
  virtual std::vector<std::string> availablePorts() const = 0;
};

}  // namespace tw::comm
