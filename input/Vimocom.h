#pragma once

#include "base/controls_on_demand.h"
#include "base/ui_context.h"
#include "input/network_output.h"
#include "input/nmea_output.h"

#include <array>
#include <initializer_list>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace brisomar {

class RadioGroup;
class TSeComm32;
class TTaskIcon;

// The communication dialog: two serial ports with their line settings and the sentences and
// fields that carry the GPS fix and the extended value. Its ports work whether or not it is on
// screen: what they receive goes to the watch, and a port that is on sends what the watch gives
// it and its boxes choose (the route sentences once a second, the sentences the other port
// received). The device boxes become editable
// when first needed: an editable box costs as much to make as the rest of the window.
class TVimoComDlg : public ControlsOnDemandDialog, public SentenceSink {
    Q_OBJECT

public:
    static constexpr int timerIntervalMs = 200;
    static constexpr int helpContext = 4;
    static constexpr int retryIntervalMs = 5000;

    explicit TVimoComDlg(UiContext& context, QWidget* parent);

    void CommRadioGroupClick();
    void CommRadioGroupBClick();
    void SeComm1DataMessage();
    void SeComm2DataMessage();
    // Shows the sentences the last reception step checked, the notice, and the tray icon.
    void Timer1Timer();
    // Writes each output's text due to its port or to the network.
    void send(const std::array<std::string, SentenceOutput::outputCount>& due) override;
    // Switches port n on as the navigator left it: no box, since nobody may be at the screen. A
    // port that does not open is tried again every 5 seconds while it stays on; the Comm page
    // says so.
    void switchOnAtStart(int port);
    void RetryTimerTimer();
    // Starts, changes or stops the network output as its boxes say. A server that cannot listen
    // (another navigator has the port) is tried again every 5 seconds while its box is checked.
    void NetworkOutputClick();
    // The network output; null until it was first switched on.
    const NetworkOutput* networkOutput() const { return network_.get(); }

    // The demo's boat is simulated: a port to another device sends it no route sentences until
    // the sailor ticks its box again, and the window says why.
    void holdRouteSentencesForTheDemo();

    // The device that stands for COM n (1 or 2).
    QComboBox* deviceChoice(int port);
    // The device COM n has until the sailor chooses another.
    static std::string defaultDevice(int port);
    // What each output sends; the timer hands it to the ports.
    SentenceOutput& sentenceOutput() { return output_; }

    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* RetryTimer = nullptr;
    TSeComm32* SeComm1 = nullptr;
    TSeComm32* SeComm2 = nullptr;
    RadioGroup* CommRadioGroup = nullptr;
    RadioGroup* BaudRadioGroup = nullptr;
    RadioGroup* ByteSizeRadioGroup = nullptr;
    RadioGroup* ParityRadioGroup = nullptr;
    RadioGroup* StopBitsRadioGroup = nullptr;
    RadioGroup* CommRadioGroupB = nullptr;
    RadioGroup* BaudRadioGroupB = nullptr;
    RadioGroup* ByteSizeRadioGroupB = nullptr;
    RadioGroup* ParityRadioGroupB = nullptr;
    RadioGroup* StopBitsRadioGroupB = nullptr;
    QLineEdit* EditNMEASentence = nullptr;
    QLineEdit* EditLatPos = nullptr;
    QLineEdit* EditNSPos = nullptr;
    QLineEdit* EditLonPos = nullptr;
    QLineEdit* EditWEPos = nullptr;
    QLineEdit* EditSpeedPos = nullptr;
    QLineEdit* EditCoursePos = nullptr;
    QLineEdit* EditSentence = nullptr;
    QLineEdit* EditPosition = nullptr;
    QLineEdit* EditAlias = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* SendRouteCheck = nullptr;
    QCheckBox* SendReceivedCheck = nullptr;
    QCheckBox* SendRouteCheckB = nullptr;
    QCheckBox* SendReceivedCheckB = nullptr;
    QCheckBox* TcpServerCheck = nullptr;
    QLineEdit* TcpAddressEdit = nullptr;
    QCheckBox* UdpCheck = nullptr;
    QLineEdit* UdpAddressEdit = nullptr;
    QCheckBox* NetReceivedCheck = nullptr;
    QLabel* NetworkStatusLabel = nullptr;
    QLabel* NoticeLabel = nullptr;
    TTaskIcon* TaskIcon1 = nullptr;

protected:
    // Makes the device boxes editable, each with its port's default device.
    void buildControls() override;
    void showEvent(QShowEvent* event) override;

private:
    // The controls and the component of one port; port 2's carry a B in their names.
    struct PortControls {
        int number = 0;
        QGroupBox* group = nullptr;
        RadioGroup* comm = nullptr;
        RadioGroup* baud = nullptr;
        RadioGroup* byteSize = nullptr;
        RadioGroup* parity = nullptr;
        RadioGroup* stopBits = nullptr;
        QComboBox* device = nullptr;
        QLineEdit* received = nullptr;
        QCheckBox* sendRoute = nullptr;
        QCheckBox* sendReceived = nullptr;
        TSeComm32* seComm = nullptr;
        bool waiting = false;   // on since the start, not open yet
        bool routeHeld = false; // its route sentences held back in the demo
    };

    QGroupBox* buildPortGroup(PortControls& port, const QString& receivedHint);
    QCheckBox* outputBox(const QString& caption, const QString& hint, bool& choice,
                         QWidget* parent);
    struct SettingRow {
        QString label;
        int maxLength;
        std::string& setting;
        QLineEdit*& edit;
        QString hint = {};
    };
    QGroupBox* settingsBox(const QString& caption, std::initializer_list<SettingRow> rows);
    QGroupBox* buildGpsGroup();
    QGroupBox* buildExtendedGroup();
    QGroupBox* buildNetworkGroup();
    void applyNetworkOutput();
    std::string udpToOwnInput(const std::string& udpAddress) const;
    void showNetworkStatus();
    QLineEdit* settingEdit(int maxLength, std::string& setting);
    void switchPort(PortControls& port);
    bool openPort(PortControls& port); // false when the sailor gave up
    bool openQuietly(PortControls& port);
    void showWaiting();
    void showOff(PortControls& port); // closed, "Off", its settings enabled
    void enableSettings(PortControls& port, bool enabled);
    void deliver(PortControls& port);
    void refreshDeviceChoices();
    void showNotice();

    UiContext& context_;
    std::array<PortControls, 2> ports_;
    SentenceOutput& output_;
    std::unique_ptr<NetworkOutput> network_;
    std::string networkFailure_;
    bool networkWaiting_ = false;
};

} // namespace brisomar
