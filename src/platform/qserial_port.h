#pragma once

#include "comm/serial_port.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <string>
#include <vector>

namespace tw::platform {

// The receiver's serial line on QSerialPort: 9600 baud, 8N1, RTS/CTS flow control.
// `open` takes a device path ("/dev/ttyUSB0", a pseudo-terminal's "/dev/pts/3") or a port
// name as availablePorts() lists it. A device that cannot report its modem lines (a
// pseudo-terminal) counts as CTS on; a device that went away closes the port, so the link
// sees a closed port without CTS.
class QSerialPortBackend final : public QObject, public comm::SerialPort {
 public:
  QSerialPortBackend();
  ~QSerialPortBackend() override;

  bool open(const std::string& device) override;
  void close() override;
  bool isOpen() const override;
  bool write(std::string_view bytes) override;
  std::string readAll() override;
  bool ctsOn() const override;
  void setReadyReadHandler(std::function<void()> handler) override;
  std::string lastError() const override;
  std::vector<std::string> availablePorts() const override;

 private:
  void onError(QSerialPort::SerialPortError error);
  void deliverReadyRead();

  mutable QSerialPort port_;
  std::function<void()> readyRead_;
  std::string lastError_;
  std::string device_;  // as opened, for messages
  bool inHandler_ = false;
  long long reads_ = 0;  // readAll calls, to see whether a handler took anything
};

}  // namespace tw::platform
