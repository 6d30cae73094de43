#include "input/Vimocom.h"

#include "base/dialogs.h"
#include "base/help.h"
#include "base/radio_group.h"
#include "input/SeComm32.h"
#include "input/TaskIcon.h"
#include "input/network_address.h"
#include "input/nmea_simulator.h"
#include "input/reception.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <stdexcept>

namespace brisomar {

namespace {

// `brisomar-tool nmea check` simulates reception with the same timer.
static_assert(TVimoComDlg::timerIntervalMs == Reception::tickIntervalMs);

constexpr int itemOn = 0;
constexpr int itemOff = 1;
const TBaudRate baudItems[] = {TBaudRate::br1200,  TBaudRate::br2400,  TBaudRate::br4800,
                               TBaudRate::br9600,  TBaudRate::br38400, TBaudRate::br57600,
                               TBaudRate::br115200};
static_assert(std::size(baudItems) == std::size(baudRateItems));
const TParity parityValues[] = {TParity::pNone, TParity::pOdd, TParity::pEven};

RadioGroup* settingsGroup(const QString& caption, const QStringList& items, int chosen,
                          const QString& hint, QWidget* parent) {
    auto* group = new RadioGroup(caption, items, 1, parent);
    group->setItemIndex(chosen);
    group->setToolTip(hint);
    return group;
}

RadioGroup* lineGroup(const QString& caption, const LineChoice& choice, const QString& hint,
                      QWidget* parent) {
    QStringList items;
    for (std::string_view item : choice.items)
        items << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return settingsGroup(caption, items, static_cast<int>(choice.initial), hint, parent);
}

} // namespace

TVimoComDlg::TVimoComDlg(UiContext& context, QWidget* parent)
    : ControlsOnDemandDialog(parent), context_(context), output_(context.program.output) {
    setWindowTitle(QStringLiteral("Brisomar - communication"));
    setHelpContext(context_.help, helpContext);
    setCentredOnScreen();
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    for (int i = 0; i < 2; ++i) {
        PortControls& port = ports_[i];
        port.number = i + 1;
        port.seComm = new TSeComm32(context_.makers.serialDevice(), context_.program.heldDevices,
                                    context_.dialogs, this);
        port.seComm->setBaudRate(TBaudRate::br4800);
        port.seComm->setPort(port.number);
        port.seComm->MsgStart = port.seComm->MsgStop = '$';
        port.seComm->setMode(TSeComm32::TMode::mMessage);
    }
    SeComm1 = ports_[0].seComm;
    SeComm2 = ports_[1].seComm;
    SeComm1->OnDataMessage = [this] { SeComm1DataMessage(); };
    SeComm2->OnDataMessage = [this] { SeComm2DataMessage(); };

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize); // a dialog of fixed size, like the others
    grid->addWidget(buildPortGroup(ports_[0], QStringLiteral("Received at port.")), 0, 0);
    grid->addWidget(buildPortGroup(ports_[1], QStringLiteral("Received at port")), 0, 1);
    grid->addWidget(buildGpsGroup(), 1, 0);
    // The network output under the short extended group, so that the window fits a screen of
    // 768 pixels.
    auto* right = new QVBoxLayout;
    right->addWidget(buildExtendedGroup());
    right->addWidget(buildNetworkGroup());
    grid->addLayout(right, 1, 1);
    NoticeLabel = new QLabel(this); // what the GPS sentence misses, when it misses something
    NoticeLabel->setWordWrap(true);
    NoticeLabel->hide();
    grid->addWidget(NoticeLabel, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    OKBtn->setToolTip(QStringLiteral("Close window."));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(HelpBtn);
    grid->addLayout(buttons, 4, 0, 1, 2);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { showHelp(); });

    CommRadioGroup = ports_[0].comm;
    BaudRadioGroup = ports_[0].baud;
    ByteSizeRadioGroup = ports_[0].byteSize;
    ParityRadioGroup = ports_[0].parity;
    StopBitsRadioGroup = ports_[0].stopBits;
    CommRadioGroupB = ports_[1].comm;
    BaudRadioGroupB = ports_[1].baud;
    ByteSizeRadioGroupB = ports_[1].byteSize;
    ParityRadioGroupB = ports_[1].parity;
    StopBitsRadioGroupB = ports_[1].stopBits;
    Edit1 = ports_[0].received;
    Edit2 = ports_[1].received;
    SendRouteCheck = ports_[0].sendRoute;
    SendReceivedCheck = ports_[0].sendReceived;
    SendRouteCheckB = ports_[1].sendRoute;
    SendReceivedCheckB = ports_[1].sendReceived;
    connect(CommRadioGroup, &RadioGroup::clicked, this, &TVimoComDlg::CommRadioGroupClick);
    connect(CommRadioGroupB, &RadioGroup::clicked, this, &TVimoComDlg::CommRadioGroupBClick);

    TaskIcon1 = new TTaskIcon(context_.makers.trayShell(), this);
    TaskIcon1->setIcon(QApplication::windowIcon());
    TaskIcon1->setToolTip(QStringLiteral("Comport open"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(timerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TVimoComDlg::Timer1Timer);
    Timer1->start();
    RetryTimer = new QTimer(this);
    RetryTimer->setInterval(retryIntervalMs);
    connect(RetryTimer, &QTimer::timeout, this, &TVimoComDlg::RetryTimerTimer);
}

QGroupBox* TVimoComDlg::buildPortGroup(PortControls& port, const QString& receivedHint) {
    auto* group = new QGroupBox(QStringLiteral("Com.port %1").arg(port.number), this);
    port.group = group;
    port.comm = settingsGroup(QStringLiteral("Communication"), {"On", "Off"}, itemOff,
                              QStringLiteral("Enable communication."), group);
    port.baud = lineGroup(QStringLiteral("BaudRate"), baudRateChoice,
                          QStringLiteral("Set baud-rate."), group);
    port.byteSize = lineGroup(QStringLiteral("ByteSize"), byteSizeChoice,
                              QStringLiteral("Set byte-size."), group);
    port.stopBits = lineGroup(QStringLiteral("StopBits"), stopBitsChoice,
                              QStringLiteral("Set stop-bits."), group);
    port.parity =
        lineGroup(QStringLiteral("Parity"), parityChoice, QStringLiteral("Set parity."), group);
    port.device = new QComboBox(group);
    port.device->setToolTip(
        QStringLiteral("Serial device of this port, \"Simulator\", or a network source: "
                       "tcp://HOST:PORT, udp://:PORT or gpsd://HOST."));
    port.received = new QLineEdit(group);
    port.received->setReadOnly(true);
    port.received->setToolTip(receivedHint);
    OutputChoice& choice = output_.choices[port.number - 1];
    port.sendRoute = outputBox(QStringLiteral("Send route sentences"),
                               QStringLiteral("Send RMB, APB and XTE once a second while a "
                                              "waypoint is sailed to (for an autopilot)."),
                               choice.route, group);
    port.sendReceived =
        outputBox(QStringLiteral("Send received sentences"),
                  QStringLiteral("Send the sentences the other port receives, as received."),
                  choice.received, group);

    auto* layout = new QGridLayout(group);
    layout->addWidget(port.comm, 0, 0);
    layout->addWidget(port.baud, 0, 1, 2, 1);
    layout->addWidget(port.byteSize, 1, 0);
    layout->addWidget(port.stopBits, 2, 0);
    layout->addWidget(port.parity, 2, 1);
    auto* device = new QFormLayout;
    device->addRow(QStringLiteral("Device"), port.device);
    layout->addLayout(device, 3, 0, 1, 2);
    layout->addWidget(port.received, 4, 0, 1, 2);
    layout->addWidget(port.sendRoute, 5, 0, 1, 2);
    layout->addWidget(port.sendReceived, 6, 0, 1, 2);
    return group;
}

// A box choosing what an output sends; a port's boxes are enabled while it is on.
QCheckBox* TVimoComDlg::outputBox(const QString& caption, const QString& hint, bool& choice,
                                  QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setToolTip(hint);
    box->setEnabled(false);
    connect(box, &QCheckBox::toggled, this, [&choice](bool checked) { choice = checked; });
    return box;
}

// An edit showing a reception setting as it stands (its default at start) and keeping it as typed.
QLineEdit* TVimoComDlg::settingEdit(int maxLength, std::string& setting) {
    auto* edit = new QLineEdit(QString::fromStdString(setting), this);
    edit->setMaxLength(maxLength);
    connect(edit, &QLineEdit::textChanged, this,
            [&setting](const QString& changed) { setting = changed.toStdString(); });
    return edit;
}

// A group of labelled setting fields, each bound to the reception setting it edits.
QGroupBox* TVimoComDlg::settingsBox(const QString& caption,
                                    std::initializer_list<SettingRow> rows) {
    auto* group = new QGroupBox(caption, this);
    auto* form = new QFormLayout(group);
    for (const SettingRow& row : rows) {
        row.edit = settingEdit(row.maxLength, row.setting);
        row.edit->setToolTip(row.hint);
        form->addRow(row.label, row.edit);
    }
    return group;
}

QGroupBox* TVimoComDlg::buildGpsGroup() {
    GpsSentenceSettings& gps = context_.program.reception.gps;
    return settingsBox(
        QStringLiteral("GPS NMEA specification"),
        {{QStringLiteral("Sentence"), 8, gps.sentence, EditNMEASentence,
          QStringLiteral("Name the GPS sentence begins with; \"?\" stands for any one character. "
                         "For a receiver that sends GNRMC (most modern ones) type \"??RMC\": "
                         "it takes the RMC sentence of any receiver.")},
         {QStringLiteral("Latitude string position"), 2, gps.latitudeField, EditLatPos},
         {QStringLiteral("N/S"), 2, gps.northSouthField, EditNSPos},
         {QStringLiteral("Longitude string position"), 8, gps.longitudeField, EditLonPos},
         {QStringLiteral("W/E"), 2, gps.westEastField, EditWEPos},
         {QStringLiteral("Speed string position"), 2, gps.speedField, EditSpeedPos},
         {QStringLiteral("Course string position"), 2, gps.courseField, EditCoursePos}});
}

QGroupBox* TVimoComDlg::buildExtendedGroup() {
    ExtendedSentenceSettings& extended = context_.program.reception.extended;
    return settingsBox(
        QStringLiteral("  Extended user specification"),
        {{QStringLiteral("Sentence"), 8, extended.sentence, EditSentence,
          QStringLiteral(
              "Name the instrument's sentence begins with. \"?\" stands for any one character.")},
         {QStringLiteral("Position"), 2, extended.field, EditPosition},
         {QStringLiteral("Specification"), 8, extended.alias, EditAlias}});
}

// The network output: a TCP server and UDP datagrams, each with its address; loopback until the
// sailor types another.
QGroupBox* TVimoComDlg::buildNetworkGroup() {
    auto* group = new QGroupBox(QStringLiteral("Network output"), this);
    const NetworkOutputSettings defaults;
    const auto addressEdit = [group](const std::string& text, const QString& hint) {
        auto* edit = new QLineEdit(QString::fromStdString(text), group);
        edit->setMaxLength(255);
        edit->setToolTip(hint);
        return edit;
    };
    TcpServerCheck = new QCheckBox(QStringLiteral("TCP server at"), group);
    TcpServerCheck->setToolTip(QStringLiteral("Serve the route sentences to any number of "
                                              "clients (tablet apps, other chart programs)."));
    TcpAddressEdit = addressEdit(
        defaults.tcpAddress,
        QStringLiteral("Address and port the server listens on: 127.0.0.1 this computer only, "
                       "0.0.0.0 every network, or this computer's address on one network."));
    UdpCheck = new QCheckBox(QStringLiteral("UDP to"), group);
    UdpCheck->setToolTip(QStringLiteral("Send the route sentences as datagrams."));
    UdpAddressEdit = addressEdit(
        defaults.udpAddress,
        QStringLiteral("Address and port the datagrams go to (a network's broadcast address "
                       "reaches every device on it)."));
    NetReceivedCheck = new QCheckBox(QStringLiteral("Send received sentences"), group);
    NetReceivedCheck->setToolTip(
        QStringLiteral("Send the sentences both ports receive too, as received."));
    NetworkStatusLabel = new QLabel(group);
    NetworkStatusLabel->setWordWrap(true);
    NetworkStatusLabel->hide();
    for (QCheckBox* box : {TcpServerCheck, UdpCheck})
        connect(box, &QCheckBox::toggled, this, &TVimoComDlg::NetworkOutputClick);
    connect(NetReceivedCheck, &QCheckBox::toggled, this, [this](bool checked) {
        output_.choices[SentenceOutput::networkOutput].received = checked;
    });

    auto* layout = new QGridLayout(group);
    layout->addWidget(TcpServerCheck, 0, 0);
    layout->addWidget(TcpAddressEdit, 0, 1);
    layout->addWidget(UdpCheck, 1, 0);
    layout->addWidget(UdpAddressEdit, 1, 1);
    layout->addWidget(NetReceivedCheck, 2, 0, 1, 2);
    layout->addWidget(NetworkStatusLabel, 3, 0, 1, 2);
    return group;
}

void TVimoComDlg::NetworkOutputClick() {
    TcpAddressEdit->setEnabled(!TcpServerCheck->isChecked());
    UdpAddressEdit->setEnabled(!UdpCheck->isChecked());
    applyNetworkOutput();
    showWaiting();
}

// The module with the network library is loaded when the output is first switched on. A server
// that does not listen is tried again.
void TVimoComDlg::applyNetworkOutput() {
    NetworkOutputSettings settings{
        TcpServerCheck->isChecked(), TcpAddressEdit->text().trimmed().toStdString(),
        UdpCheck->isChecked(), UdpAddressEdit->text().trimmed().toStdString()};
    networkFailure_ = settings.udp ? udpToOwnInput(settings.udpAddress) : std::string();
    if (!networkFailure_.empty()) {
        settings.udp = false;
        const QSignalBlocker quiet(UdpCheck);
        UdpCheck->setChecked(false);
        UdpAddressEdit->setEnabled(true);
    }
    output_.choices[SentenceOutput::networkOutput].route = settings.tcp || settings.udp;
    if (!network_ && (settings.tcp || settings.udp) && context_.makers.networkOutput)
        network_ = context_.makers.networkOutput(networkFailure_);
    if (network_) {
        const std::string failure = network_->apply(settings);
        networkFailure_ += (networkFailure_.empty() || failure.empty() ? "" : " ") + failure;
    }
    networkWaiting_ = settings.tcp && network_ && !network_->serving();
    showNetworkStatus();
}

// Datagrams to a port's own UDP input would come straight back: refused, naming both.
std::string TVimoComDlg::udpToOwnInput(const std::string& udpAddress) const {
    for (const PortControls& port : ports_)
        if (port.seComm->PortOpen() && reachesOwnInput(udpAddress, port.seComm->DevicePath()))
            return "UDP to " + udpAddress + " refused: port " + std::to_string(port.number) +
                   " reads " + port.seComm->DevicePath() + ", and would read back what it sends.";
    return {};
}

// What failed, else how many clients the server has.
void TVimoComDlg::showNetworkStatus() {
    QString status = QString::fromStdString(networkFailure_);
    if (status.isEmpty() && network_ && TcpServerCheck->isChecked())
        status = QStringLiteral("TCP clients: %1").arg(network_->clientCount());
    if (NetworkStatusLabel->text() != status)
        NetworkStatusLabel->setText(status);
    NetworkStatusLabel->setVisible(!status.isEmpty());
}

void TVimoComDlg::CommRadioGroupClick() {
    switchPort(ports_[0]);
}

void TVimoComDlg::CommRadioGroupBClick() {
    switchPort(ports_[1]);
}

// The line settings apply at switching on; while a port is on they cannot be changed. A port the
// sailor gave up opening (Abort) is shown Off, its settings free to change.
void TVimoComDlg::switchPort(PortControls& port) {
    port.waiting = false;
    showWaiting();
    const bool on = port.comm->itemIndex() == itemOn;
    port.comm->setEnabled(false); // a network port waits for its connection with the window working
    try {
        if (on && openPort(port))
            enableSettings(port, false);
        else
            showOff(port);
    } catch (const std::exception&) {
        showOff(port);
        context_.dialogs.information(QStringLiteral("Error opening comport%1").arg(port.number));
    }
    port.comm->setEnabled(true);
}

void TVimoComDlg::showOff(PortControls& port) {
    port.seComm->Close();
    port.comm->setItemIndex(itemOff);
    enableSettings(port, true);
}

// The line settings while the port is off, what it sends while it is on.
void TVimoComDlg::enableSettings(PortControls& port, bool enabled) {
    for (QWidget* setting : std::initializer_list<QWidget*>{port.baud, port.byteSize, port.parity,
                                                            port.stopBits, port.device})
        setting->setEnabled(enabled);
    port.sendRoute->setEnabled(!enabled);
    port.sendReceived->setEnabled(!enabled);
}

bool TVimoComDlg::openPort(PortControls& port) {
    TSeComm32& seComm = *port.seComm;
    seComm.setParity(parityValues[std::max(0, port.parity->itemIndex())]);
    seComm.setStopBits(port.stopBits->itemIndex() == 1 ? TStopBits::sb2 : TStopBits::sb1);
    seComm.setDataBits(port.byteSize->itemIndex() == 0 ? TDataBits::db7 : TDataBits::db8);
    seComm.setBaudRate(baudItems[std::max(0, port.baud->itemIndex())]);
    seComm.setDevicePath(deviceChoice(port.number)->currentText().trimmed().toStdString());
    if (!seComm.Open())
        return false;
    context_.program.reception.portSwitchedOn(context_.program.nav, readClock(context_.clock));
    return true;
}

void TVimoComDlg::switchOnAtStart(int number) {
    PortControls& port = ports_[number - 1];
    port.comm->setItemIndex(itemOn);
    enableSettings(port, false);
    port.waiting = !openQuietly(port);
    showWaiting();
}

void TVimoComDlg::RetryTimerTimer() {
    for (PortControls& port : ports_)
        if (port.waiting && openQuietly(port))
            port.waiting = false;
    if (networkWaiting_)
        applyNetworkOutput();
    showWaiting();
}

bool TVimoComDlg::openQuietly(PortControls& port) {
    port.seComm->ShowErrors = false;
    bool opened = false;
    try {
        opened = openPort(port);
    } catch (const std::exception&) {
        port.seComm->Close();
    }
    port.seComm->ShowErrors = true;
    return opened;
}

void TVimoComDlg::showWaiting() {
    std::vector<WaitingPort> waiting;
    for (const PortControls& port : ports_)
        if (port.waiting)
            waiting.push_back({port.number, port.seComm->DevicePath(), port.seComm->OpenFailure()});
    context_.program.nav.CommNotice = portsWaitingNotice(waiting, retryIntervalMs / 1000);
    if (waiting.empty() && !networkWaiting_)
        RetryTimer->stop();
    else if (!RetryTimer->isActive())
        RetryTimer->start();
}

void TVimoComDlg::SeComm1DataMessage() {
    deliver(ports_[0]);
}

void TVimoComDlg::SeComm2DataMessage() {
    deliver(ports_[1]);
}

// Every whole sentence received is kept for the next tick, and passed on as it came to the
// outputs that send received sentences.
void TVimoComDlg::deliver(PortControls& port) {
    for (std::string message = port.seComm->ReadMessage(); !message.empty();
         message = port.seComm->ReadMessage()) {
        output_.received(port.number, message);
        context_.program.reception.deliver(port.number, message);
    }
}

void TVimoComDlg::Timer1Timer() {
    const auto& shown = context_.program.reception.shown();
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        ports_[i].received->setText(QString::fromLatin1(shown[i]));
        ports_[i].received->setCursorPosition(0); // the sentence's name in sight, not its tail
    }
    showNotice();
    TaskIcon1->setActive(CommRadioGroup->itemIndex() == itemOn ||
                         CommRadioGroupB->itemIndex() == itemOn);
}

// What the GPS sentence misses, and the ports whose route sentences the demo holds back.
void TVimoComDlg::showNotice() {
    QString notice = QString::fromLatin1(context_.program.nav.SentenceNotice);
    for (const PortControls& port : ports_)
        if (port.routeHeld)
            notice += QStringLiteral("%1Port %2 sends no route sentences: the demo's boat is "
                                     "simulated. Tick \"Send route sentences\" to steer by it.")
                          .arg(notice.isEmpty() ? QString() : QStringLiteral("\n"))
                          .arg(port.number);
    if (NoticeLabel->text() != notice)
        NoticeLabel->setText(notice);
    NoticeLabel->setVisible(!notice.isEmpty());
}

void TVimoComDlg::holdRouteSentencesForTheDemo() {
    for (PortControls& port : ports_) {
        if (port.seComm->DevicePath() == SimulatorDevice::deviceName ||
            !port.sendRoute->isChecked())
            continue;
        port.sendRoute->setChecked(false);
        port.routeHeld = true;
        connect(
            port.sendRoute, &QCheckBox::toggled, this,
            [this, &port] {
                port.routeHeld = false;
                showNotice();
            },
            Qt::SingleShotConnection);
    }
    showNotice();
}

void TVimoComDlg::send(const std::array<std::string, SentenceOutput::outputCount>& due) {
    for (PortControls& port : ports_)
        if (const std::string& text = due[port.number - 1]; !text.empty())
            port.seComm->Write(text);
    if (network_) {
        network_->send(due[SentenceOutput::networkOutput]);
        showNetworkStatus();
    }
}

void TVimoComDlg::buildControls() {
    for (PortControls& port : ports_) {
        port.device->setEditable(true);
        port.device->setEditText(QString::fromStdString(defaultDevice(port.number)));
    }
}

std::string TVimoComDlg::defaultDevice(int port) {
    const std::string name = "BRISOMAR_COM" + std::to_string(port);
    return defaultDevicePath(port, std::getenv(name.c_str()));
}

QComboBox* TVimoComDlg::deviceChoice(int port) {
    ensureControls();
    return ports_[port - 1].device;
}

void TVimoComDlg::showEvent(QShowEvent* event) {
    refreshDeviceChoices();
    QDialog::showEvent(event);
}

// The serial devices present now, the simulator and the usual network sources, keeping whatever
// the sailor chose or typed.
void TVimoComDlg::refreshDeviceChoices() {
    const auto present = QSerialPortInfo::availablePorts();
    for (PortControls& port : ports_) {
        const QString chosen = port.device->currentText();
        port.device->clear();
        for (const QSerialPortInfo& info : present)
            port.device->addItem(info.systemLocation());
        port.device->addItem(QString::fromLatin1(SimulatorDevice::deviceName));
        port.device->addItem(QStringLiteral("udp://:10110"));
        port.device->addItem(QStringLiteral("gpsd://localhost:2947"));
        port.device->setEditText(chosen);
    }
}

} // namespace brisomar
