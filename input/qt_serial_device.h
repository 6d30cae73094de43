#pragma once

#include "base/clock.h"
#include "input/serial_device.h"

#include <QSerialPort>

namespace brisomar {

// A serial device on QSerialPort, opened exclusively: no other program can open it while the
// navigator has it, and a device another program holds exclusively is refused as in use by that
// program; one that another program merely has open is opened. Any
// error while open other than a time-out (an unplugged receiver, the far side of a
// pseudo-terminal gone) closes the device, which is then opened again every `retrySeconds` by
// the clock while the port stays open, delivering no bytes meanwhile; close() ends the retries.
class QtSerialDevice : public SerialDevice {
public:
    static constexpr int retrySeconds = 5;

    explicit QtSerialDevice(const Clock& clock);

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override;
    void close() override;
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() override;
    std::string read(std::size_t count) override;
    void purge() override;
    void write(std::string_view bytes) override;

    // Bytes waiting to go out beyond this are not queued: at 4800 baud they are 8 seconds' worth.
    static constexpr std::size_t maxUnsentBytes = 4096;

    // Bytes can arrive now: the device is there and open.
    bool receiving() const { return port_.isOpen(); }

private:
    bool openPort(std::string& reason);
    bool heldExclusivelyElsewhere() const;
    std::string refusalReason() const;
    void applySettings();
    void onError(QSerialPort::SerialPortError error);
    void retryWhenDue();

    const Clock& clock_;
    QSerialPort port_;
    std::string path_;
    LineSettings settings_;
    bool open_ = false;       // opened and not closed since, whether or not the device is there
    long long nextRetry_ = 0; // when a lost device is next opened again, in ms of the clock
    bool configuring_ = false;
};

} // namespace brisomar
