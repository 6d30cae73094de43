#pragma once

#include "input/serial_device.h"

#include <QSerialPort>

namespace brisomar {

// A serial device on QSerialPort. Any error while open other than a time-out (an unplugged
// receiver, the far side of a pseudo-terminal gone) closes it, so the port reads as closed
// instead of failing on every poll.
class QtSerialDevice : public SerialDevice {
public:
    QtSerialDevice();

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override;
    void close() override;
    bool isOpen() const override;
    std::size_t bytesWaiting() override;
    std::string read(std::size_t count) override;
    void purge() override;

private:
    void applySettings(const LineSettings& settings);
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    bool configuring_ = false;
};

} // namespace brisomar
