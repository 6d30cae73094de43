#include "input/qt_serial_device.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace brisomar {

namespace {

// What the driver holds beyond one poll's worth is left in the driver, so a flood of bytes
// cannot grow the program's memory.
constexpr qint64 readBufferBytes = 64 * 1024;

constexpr long long retryMilliseconds = QtSerialDevice::retrySeconds * 1000LL;

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

long long millisecondsOf(const LocalDateTime& t) {
    return std::llround(dateTimeValue(t) * 86400000.0);
}

int ownProcess() {
    return static_cast<int>(QCoreApplication::applicationPid());
}

} // namespace

QtSerialDevice::QtSerialDevice(const Clock& clock) : clock_(clock) {
    port_.setReadBufferSize(readBufferBytes);
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

bool QtSerialDevice::open(const std::string& path, const LineSettings& settings,
                          std::string& reason) {
    close();
    path_ = path;
    settings_ = settings;
    open_ = openPort(reason);
    return open_;
}

// The port opens the device exclusively. A device another program merely has open (the far end
// of a pseudo-terminal pair, a monitor) is opened too; one another program holds exclusively, or
// by its lock file, is refused as in use by that program.
bool QtSerialDevice::openPort(std::string& reason) {
    if (heldExclusivelyElsewhere()) {
        reason = inUseDetail(path_, holderText(path_, ownProcess()));
        return false;
    }
    configuring_ = true;
    port_.setPortName(QString::fromStdString(path_));
    const bool writable = QFileInfo(QString::fromStdString(path_)).isWritable();
    const bool opened = port_.open(writable ? QIODevice::ReadWrite : QIODevice::ReadOnly);
    if (opened)
        applySettings();
    else
        reason = refusalReason();
    port_.clearError();
    configuring_ = false;
    return opened;
}

// The system refuses a terminal opened exclusively to everyone else but the administrator, whom
// it lets through: the flag tells. It is asked only when a process other than the far end of a
// pseudo-terminal has the device open, so that a device nobody else holds is opened once. The
// far end (socat) never marks the line: a mark it holds alone was left by a program killed before
// it could take it off.
bool QtSerialDevice::heldExclusivelyElsewhere() const {
    const auto holders = processesHolding(path_, ownProcess());
    if (std::all_of(holders.begin(), holders.end(),
                    [](const DeviceHolder& holder) { return holder.farEnd; }))
        return false;
    const int descriptor = ::open(path_.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return errno == EBUSY;
    int exclusive = 0;
    const bool known = ::ioctl(descriptor, TIOCGEXCL, &exclusive) == 0;
    ::close(descriptor);
    return known && exclusive != 0;
}

// A device we may read that is refused all the same is held by another program: by a lock, or
// by an exclusive open of its own.
std::string QtSerialDevice::refusalReason() const {
    const bool permission = port_.error() == QSerialPort::PermissionError;
    if (permission && QFileInfo(QString::fromStdString(path_)).isReadable())
        return inUseDetail(path_, holderText(path_, ownProcess()));
    return openFailureDetail(path_, port_.errorString().toStdString(), permission);
}

// A setting the device refuses leaves its previous one in force.
void QtSerialDevice::applySettings() {
    port_.setBaudRate(bitsPerSecond(settings_.baudRate));
    port_.setDataBits(settings_.dataBits == TDataBits::db7 ? QSerialPort::Data7
                                                           : QSerialPort::Data8);
    port_.setParity(qtParity(settings_.parity));
    port_.setStopBits(settings_.stopBits == TStopBits::sb2 ? QSerialPort::TwoStop
                                                           : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(false);
    port_.setRequestToSend(false);
}

// The device is gone: it is let go at once, so that it can come back under its own name.
void QtSerialDevice::onError(QSerialPort::SerialPortError error) {
    if (configuring_ || error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    if (!port_.isOpen())
        return;
    port_.close();
    nextRetry_ = millisecondsOf(clock_.now()) + retryMilliseconds;
}

// A clock set back by more than the interval does not hold the retries up.
void QtSerialDevice::retryWhenDue() {
    const long long now = millisecondsOf(clock_.now());
    if (now < nextRetry_ && nextRetry_ - now <= retryMilliseconds)
        return;
    std::string reason; // nobody is told: the port stays open and tries again
    if (!openPort(reason))
        nextRetry_ = now + retryMilliseconds;
}

void QtSerialDevice::close() {
    open_ = false;
    if (port_.isOpen())
        port_.close();
}

std::size_t QtSerialDevice::bytesWaiting() {
    if (!open_)
        return 0;
    if (!port_.isOpen())
        retryWhenDue();
    if (!port_.isOpen())
        return 0;
    port_.waitForReadyRead(0); // takes in what the driver holds, without waiting
    port_.clearError();
    return port_.isOpen() ? static_cast<std::size_t>(port_.bytesAvailable()) : 0;
}

std::string QtSerialDevice::read(std::size_t count) {
    return port_.read(static_cast<qint64>(count)).toStdString();
}

void QtSerialDevice::write(std::string_view bytes) {
    if (!port_.isOpen() || !port_.isWritable() ||
        static_cast<std::size_t>(port_.bytesToWrite()) + bytes.size() > maxUnsentBytes)
        return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialDevice::purge() {
    if (port_.isOpen())
        port_.clear(QSerialPort::AllDirections);
}

} // namespace brisomar
