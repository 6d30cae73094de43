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
// message mode, announcing each message framed by MsgStart and MsgStop through OnDataMessage.
class TSeComm32 : public QObject {
    Q_OBJECT

public:
    enum class TMode { mNormal, mMessage };
    static constexpr int pollIntervalMs = 250;

    // `shared` is the program's one pending message; constructing a port empties it.
    TSeComm32(std::unique_ptr<SerialDevice> device, SerialMessage& shared, Dialogs& dialogs,
              QObject* parent = nullptr);
    ~TSeComm32() override;

    // Opens the port (closing it first), asking Abort/Retry while it fails if ShowErrors is on.
    bool Open();
    void Close();
    std::string ReadMessage(); // hands over and clears the pending message
    void PurgePort();
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
    template <typename T> void setAndReopen(T& field, T value);
    void reopenIfOpen();

    std::unique_ptr<SerialDevice> device_;
    SerialMessage& shared_;
    Dialogs& dialogs_;
    int port_ = 1;
    std::string devicePath_;
    LineSettings settings_;
    TMode mode_ = TMode::mNormal;
    bool inUse_ = false;
};

} // namespace brisomar
