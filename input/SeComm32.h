#pragma once

#include "input/message_framing.h"
#include "input/serial_device.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QTimer;

namespace brisomar {

class Dialogs;

// One serial port: opened by number with its line settings, polled four times a second in
// message mode, announcing the whole messages framed by MsgStart and MsgStop through
// OnDataMessage. Each port frames its own stream; a message cut by two polls is joined.
class TSeComm32 : public QObject {
    Q_OBJECT

public:
    enum class TMode { mNormal, mMessage };
    static constexpr int pollIntervalMs = serialPollIntervalMs;

    // `held` tells the program's ports which devices the others hold.
    TSeComm32(std::unique_ptr<SerialDevice> device, HeldDevices& held, Dialogs& dialogs,
              QObject* parent = nullptr);
    ~TSeComm32() override;

    // Opens the port (closing it first), asking Abort/Retry while it fails if ShowErrors is on.
    // A device another port holds fails as in use by that port.
    bool Open();
    void Close();
    // Hands over the oldest whole message received and not yet fetched; empty when none.
    std::string ReadMessage();
    void PurgePort();
    // Sends the text when the port is open (dropped where the device cannot take it).
    void Write(std::string_view text);
    int CharCount();
    bool PortOpen() const;
    void PollTimerTimer(); // the 250 ms poll

    int Port() const { return port_; }
    TBaudRate BaudRate() const { return settings_.baudRate; }
    TParity Parity() const { return settings_.parity; }
    TDataBits DataBits() const { return settings_.dataBits; }
    TStopBits StopBits() const { return settings_.stopBits; }
    TMode Mode() const { return mode_; }
    bool InUse() const { return inUse_; }
    const std::string& DevicePath() const { return devicePath_; }
    // Why the last Open failed, as its box says it; empty after one that succeeded.
    const std::string& OpenFailure() const { return openFailure_; }

    // Changing a setting of an open port reopens it; Parity reopens even when unchanged.
    void setPort(int port);
    void setBaudRate(TBaudRate rate);
    void setParity(TParity parity);
    void setDataBits(TDataBits bits);
    void setStopBits(TStopBits bits);
    void setDevicePath(const std::string& path); // which device is COM n
    void setMode(TMode mode);

    char MsgStart = '\x01';
    char MsgStop = '\x02';
    bool ShowErrors = true;
    std::function<void()> OnDataMessage;
    QTimer* PollTimer = nullptr;

private:
    void DoDataMessage();
    bool openDevice(std::string& reason);
    template <typename T> void setAndReopen(T& field, T value);
    void reopenIfOpen();

    std::unique_ptr<SerialDevice> device_;
    HeldDevices& held_;
    MessageFramer framer_;
    Dialogs& dialogs_;
    int port_ = 1;
    std::string devicePath_;
    std::string openFailure_;
    LineSettings settings_;
    TMode mode_ = TMode::mNormal;
    bool inUse_ = false;
};

} // namespace brisomar
