#include "input/qt_serial_device.h"

namespace brisomar {

namespace {

// What the driver holds beyond one poll's worth is left in the driver, so a flood of bytes
// cannot grow the program's memory.
constexpr qint64 readBufferBytes = 64 * 1024;

QSerialPort::Parity qtParity(TParity parity) {
    switch (parity) {
    case TParity::pEven:
        return QSerialPort::EvenParity;
    case TParity::pMark:
        return QSerialPort::MarkParity;
    case TParity::pOdd:
        return QSerialPort::OddParity;
    case TParity::pNone:
        break;
    }
    return QSerialPort::NoParity;
}

} // namespace

QtSerialDevice::QtSerialDevice() {
    port_.setReadBufferSize(readBufferBytes);
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

bool QtSerialDevice::open(const std::string& path, const LineSettings& settings,
                          std::string& reason) {
    configuring_ = true;
    port_.setPortName(QString::fromStdString(path));
    const bool opened = port_.open(QIODevice::ReadOnly);
    if (opened)
        applySettings(settings);
    else
        reason = openFailureDetail(path, port_.errorString().toStdString(),
                                   port_.error() == QSerialPort::PermissionError);
    port_.clearError();
    configuring_ = false;
    return opened;
}

// A setting the device refuses leaves its previous one in force.
void QtSerialDevice::applySettings(const LineSettings& settings) {
    port_.setBaudRate(bitsPerSecond(settings.baudRate));
    port_.setDataBits(settings.dataBits == TDataBits::db7 ? QSerialPort::Data7
                                                          : QSerialPort::Data8);
    port_.setParity(qtParity(settings.parity));
    port_.setStopBits(settings.stopBits == TStopBits::sb2 ? QSerialPort::TwoStop
                                                          : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
}

void QtSerialDevice::onError(QSerialPort::SerialPortError error) {
    if (configuring_ || error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    if (port_.isOpen())
        port_.close();
}

void QtSerialDevice::close() {
    if (port_.isOpen())
        port_.close();
}

bool QtSerialDevice::isOpen() const {
    return port_.isOpen();
}

std::size_t QtSerialDevice::bytesWaiting() {
    if (!port_.isOpen())
        return 0;
    port_.waitForReadyRead(0); // takes in what the driver holds, without waiting
    port_.clearError();
    return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

std::string QtSerialDevice::read(std::size_t count) {
    return port_.read(static_cast<qint64>(count)).toStdString();
}

void QtSerialDevice::purge() {
    if (port_.isOpen())
        port_.clear(QSerialPort::AllDirections);
}

} // namespace brisomar
