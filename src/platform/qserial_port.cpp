#include "platform/qserial_port.h"

#include "comm/device_gone.h"

#include <QSerialPortInfo>

#include "platform/port_diagnosis.h"

#include <algorithm>
#include <filesystem>

namespace tw::platform {

QSerialPortBackend::QSerialPortBackend() {
  QObject::connect(&port_, &QSerialPort::readyRead, this, [this] { deliverReadyRead(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred, this,
                   [this](QSerialPort::SerialPortError error) { onError(error); });
}

QSerialPortBackend::~QSerialPortBackend() {
  readyRead_ = nullptr;
  if (port_.isOpen()) port_.close();
}

bool QSerialPortBackend::open(const std::string& device) {
  if (port_.isOpen()) {
    lastError_ = "the port is already open";
    return false;
  }
  // A path is taken as the device itself (made absolute, since QSerialPort would put a
  // relative one under /dev); a bare name such as "ttyUSB0" is looked up under /dev.
  const bool isPath = device.find('/') != std::string::npos;
  const std::string name = isPath ? std::filesystem::absolute(device).lexically_normal().string() : device;
  port_.setPortName(QString::fromStdString(name));
  device_ = name;
  if (!port_.open(QIODevice::ReadWrite)) {
    lastError_ = DescribePortProblem(DiagnosePort(name, port_.errorString().toStdString(), availablePorts()));
    port_.clearError();
    return false;
  }
  const bool configured = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
                          port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
                          port_.setFlowControl(QSerialPort::HardwareControl);
  if (!configured) {
    lastError_ = "cannot set 9600 8N1 RTS/CTS: " + port_.errorString().toStdString();
    port_.close();
    port_.clearError();
    return false;
  }
  lastError_.clear();
  return true;
}

void QSerialPortBackend::close() {
  if (port_.isOpen()) port_.close();
}

bool QSerialPortBackend::isOpen() const { return port_.isOpen(); }

bool QSerialPortBackend::write(std::string_view bytes) {
  if (!port_.isOpen()) return false;
  const qint64 written = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  if (written != static_cast<qint64>(bytes.size())) {
    lastError_ = port_.errorString().toStdString();
    return false;
  }
  // Hand the frame to the driver now: the link's pause after a write runs an event loop
  // without socket notifiers, which would otherwise hold it back until the pause ends.
  port_.flush();
  return port_.isOpen();
}

std::string QSerialPortBackend::readAll() {
  if (!port_.isOpen()) return {};
  ++reads_;
  const QByteArray bytes = port_.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool QSerialPortBackend::ctsOn() const {
  if (!port_.isOpen()) return false;
  port_.clearError();
  const QSerialPort::PinoutSignals signalsNow = port_.pinoutSignals();
  // A device that cannot report its modem lines counts as CTS on.
  if (port_.error() != QSerialPort::NoError) {
    port_.clearError();
    return true;
  }
  return signalsNow.testFlag(QSerialPort::ClearToSendSignal);
}

// Bytes that QSerialPort buffered while the handler ran (it does not signal them again
// while a readyRead is being handled, and the link may pause inside its handler) are
// announced once more after it. A handler that took nothing (the link holds the line and
// reads after its pause) is not called again: that would spin the event loop until then.
void QSerialPortBackend::deliverReadyRead() {
  if (inHandler_ || !readyRead_) return;
  inHandler_ = true;
  const long long readsBefore = reads_;
  readyRead_();
  inHandler_ = false;
  if (reads_ != readsBefore && port_.isOpen() && port_.bytesAvailable() > 0) {
    QMetaObject::invokeMethod(this, [this] { deliverReadyRead(); }, Qt::QueuedConnection);
  }
}

void QSerialPortBackend::setReadyReadHandler(std::function<void()> handler) { readyRead_ = std::move(handler); }

std::string QSerialPortBackend::lastError() const { return lastError_; }

std::vector<std::string> QSerialPortBackend::availablePorts() const {
  std::vector<std::string> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) ports.push_back(info.systemLocation().toStdString());
  std::sort(ports.begin(), ports.end());
  return ports;
}

void QSerialPortBackend::onError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError) return;
  lastError_ = port_.errorString().toStdString();
  // The device went away (a USB adapter pulled): nothing more can be read or written.
  if (error == QSerialPort::ResourceError && port_.isOpen()) {
    lastError_ = comm::DeviceGoneText(device_);
    port_.close();
  }
}

}  // namespace tw::platform
