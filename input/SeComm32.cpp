#include "input/SeComm32.h"

#include "app/dialogs.h"

#include <QTimer>

namespace brisomar {

namespace {

const QString portNotOpen = QStringLiteral("Port Not Open -- Operation Aborted");

} // namespace

TSeComm32::TSeComm32(std::unique_ptr<SerialDevice> device, SerialMessage& shared, Dialogs& dialogs,
                     QObject* parent)
    : QObject(parent), device_(std::move(device)), shared_(shared), dialogs_(dialogs) {
    shared_ = SerialMessage{};
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
        std::string reason;
        if (device_->open(devicePath_, settings_, reason) || !ShowErrors)
            break;
        const QString text = QStringLiteral("Error Opening COM%1: ").arg(port_);
        if (dialogs_.abortRetry(text, QString::fromStdString(reason)) == Dialogs::Answer::Abort)
            break;
    }
    return PortOpen();
}

void TSeComm32::Close() {
    if (device_->isOpen())
        device_->close();
}

std::string TSeComm32::ReadMessage() {
    shared_.MessageReady = false;
    if (!PortOpen() && ShowErrors) {
        dialogs_.warning(portNotOpen);
        return {};
    }
    return std::exchange(shared_.PendingMessage, std::string());
}

void TSeComm32::PurgePort() {
    device_->purge();
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
    if (shared_.MessageReady) // the last message was not fetched
        PurgePort();
    if (PortOpen()) {
        inUse_ = true;
        const int waiting = CharCount();
        const std::string received = waiting > 0 ? device_->read(waiting) : std::string();
        collectReceivedText(shared_, received, MsgStart, MsgStop);
    }
    inUse_ = false;
    if (shared_.MessageReady)
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
