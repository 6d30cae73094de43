#include "input/SeComm32.h"

#include "base/dialogs.h"

#include <QTimer>

namespace brisomar {

namespace {

const QString portNotOpen = QStringLiteral("Port Not Open -- Operation Aborted");

} // namespace

TSeComm32::TSeComm32(std::unique_ptr<SerialDevice> device, HeldDevices& held, Dialogs& dialogs,
                     QObject* parent)
    : QObject(parent), device_(std::move(device)), held_(held), dialogs_(dialogs) {
    PollTimer = new QTimer(this);
    PollTimer->setInterval(pollIntervalMs);
    connect(PollTimer, &QTimer::timeout, this, &TSeComm32::PollTimerTimer);
}

TSeComm32::~TSeComm32() {
    PollTimer->stop();
    Close();
}

bool TSeComm32::Open() {
    Close();
    for (;;) {
        openFailure_.clear();
        if (openDevice(openFailure_) || !ShowErrors)
            break;
        const QString text = QStringLiteral("Error Opening COM%1: ").arg(port_);
        if (dialogs_.abortRetry(text, QString::fromStdString(openFailure_)) ==
            Dialogs::Answer::Abort)
            break;
    }
    if (PortOpen())
        held_.hold(this, port_, devicePath_);
    return PortOpen();
}

bool TSeComm32::openDevice(std::string& reason) {
    if (const auto holder = held_.portHolding(devicePath_, this)) {
        reason = inUseDetail(devicePath_, "port " + std::to_string(*holder));
        return false;
    }
    return device_->open(devicePath_, settings_, reason);
}

// What was received and not fetched is dropped: it belongs to the device closed.
void TSeComm32::Close() {
    held_.release(this);
    if (device_->isOpen())
        device_->close();
    framer_ = MessageFramer();
}

std::string TSeComm32::ReadMessage() {
    if (!PortOpen() && ShowErrors) {
        dialogs_.warning(portNotOpen);
        return {};
    }
    return framer_.next();
}

void TSeComm32::PurgePort() {
    device_->purge();
}

void TSeComm32::Write(std::string_view text) {
    if (PortOpen())
        device_->write(text);
}

int TSeComm32::CharCount() {
    if (!PortOpen()) {
        if (ShowErrors)
            dialogs_.warning(portNotOpen);
        return 0;
    }
    return static_cast<int>(device_->bytesWaiting());
}

bool TSeComm32::PortOpen() const {
    return device_->isOpen();
}

void TSeComm32::PollTimerTimer() {
    if (PortOpen()) {
        inUse_ = true;
        const int waiting = CharCount();
        if (waiting > 0)
            framer_.take(device_->read(static_cast<std::size_t>(waiting)), MsgStart, MsgStop);
    }
    inUse_ = false;
    if (framer_.ready())
        DoDataMessage();
}

void TSeComm32::DoDataMessage() {
    if (OnDataMessage)
        OnDataMessage();
}

template <typename T> void TSeComm32::setAndReopen(T& field, T value) {
    if (field == value)
        return;
    field = value;
    reopenIfOpen();
}

void TSeComm32::reopenIfOpen() {
    if (!PortOpen())
        return;
    Close();
    Open();
}

void TSeComm32::setPort(int port) {
    setAndReopen(port_, port);
}
void TSeComm32::setBaudRate(TBaudRate rate) {
    setAndReopen(settings_.baudRate, rate);
}
void TSeComm32::setDataBits(TDataBits bits) {
    setAndReopen(settings_.dataBits, bits);
}
void TSeComm32::setStopBits(TStopBits bits) {
    setAndReopen(settings_.stopBits, bits);
}
void TSeComm32::setDevicePath(const std::string& path) {
    setAndReopen(devicePath_, path);
}

void TSeComm32::setParity(TParity parity) {
    settings_.parity = parity;
    reopenIfOpen();
}

void TSeComm32::setMode(TMode mode) {
    if (mode_ == mode)
        return;
    mode_ = mode;
    if (mode_ == TMode::mMessage)
        PollTimer->start();
    else
        PollTimer->stop();
}

} // namespace brisomar
