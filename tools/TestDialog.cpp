#include "tools/TestDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

#include "connection/NodeConnection.h"
#include "controls/ColoredPanel.h"
#include "controls/MultiGauge.h"
#include "controls/SevenSegment.h"
#include "controls/StatusIcon.h"
#include "controls/UpDown.h"
#include "controls/model/DisplayState.h"
#include "controls/model/SevenSegment.h"
#include "editor/PageControls.h"
#include "editor/WidgetWrites.h"
#include "tools/LivePage.h"
#include "tools/SignalHistoryPlot.h"
#include "tools/model/RadioStatus.h"
#include "tools/model/TestPageRules.h"

namespace mnm::tools {

namespace {

using editor::Named;

enum Id {
    kSerialNumber = 10003, kChannelLayout = 10001, kChannels = 10002, kFirmware = 10009,
    kChannelDisplay = 3047, kFrequencyDisplay = 3049, kPowerDisplay = 3046, kPll = 18001, kGauge = 16001,
    kLocalLamp = 19001, kNetworkLamp = 19002, kTransmitLamp = 3045, kReceiveLamp = 3044,
    kChannelStep = 17202, kPowerStep = 17201, kToggle = 4319, kLocal = 4310,
    kRemoteNode = 8817, kRemoteChannel = 8816, kRemotePower = 8818, kRequest = 4318, kNetwork = 4317,
};
constexpr int kPllUnlockedIcon = 12014;
constexpr int kPllLockedIcon = 12015;
constexpr const char* kStartPower = "500";

const QColor kModeLampColour(0, 255, 0);
const QColor kCarrierLampColour(220, 220, 0);
const QColor kSegmentColour(0, 255, 0);

// The read-outs: two segment units a cell, room for the widest frequency.
constexpr int kDisplayHeight = 46;
constexpr int kDisplayCells = 10;
constexpr int kDisplayMargin = 4;
constexpr int kPllSide = 32;
constexpr int kGaugeHeight = 24;
constexpr int kLampWidth = 28;
constexpr int kLampHeight = 14;
constexpr int kRemoteEditCharacters = 6;
constexpr int kIdentityCharacters = 24;

QLineEdit* ReadOnlyText(int id, QWidget* parent)
{
    auto* text = Named(new QLineEdit(parent), id);
    text->setReadOnly(true);
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QString(kIdentityCharacters, '0')));
    return text;
}

controls::SevenSegment* Display(int id, const QString& name, QWidget* parent)
{
    auto* display = Named(new controls::SevenSegment(parent), id);
    display->setAccessibleName(name);
    display->SetColours(kSegmentColour);
    const int unit = controls::LayoutSegments(0, kDisplayHeight).unit;
    display->setFixedSize(kDisplayCells * controls::kCellUnitsWide * unit + kDisplayMargin, kDisplayHeight);
    return display;
}

// A lamp in a sunken frame: unlit it has the face colour of the card it sits on.
controls::ColoredPanel* Lamp(int id, const QColor& colour, const QString& name, QWidget* parent,
                             QWidget** framed)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* lamp = Named(new controls::ColoredPanel(colour, frame), id);
    lamp->setAccessibleName(name);
    lamp->setFixedSize(kLampWidth, kLampHeight);
    lamp->SetState(controls::kStateOff);
    auto* inside = new QHBoxLayout(frame);
    inside->setContentsMargins(1, 1, 1, 1);
    inside->addWidget(lamp);
    *framed = frame;
    return lamp;
}

int LampState(bool lit) { return lit ? controls::kStateOn : controls::kStateOff; }

std::string_view TextOf(const char* field, std::size_t size) { return {field, strnlen(field, size)}; }

} // namespace

struct TestDialog::Parts {
    Parts(NodeConnection& c, const ProgramSettings& settings)
        : connection(c), trinomial(settings.displayVersionNumbersAsTrinomials)
    {
    }

    NodeConnection& connection;
    const bool trinomial;
    TickClock ticks = SteadyTicks;
    int mode = kModeUnknown;
    ChannelFollow follow;

    QLineEdit* serialNumber = nullptr;
    QLineEdit* channelLayout = nullptr;
    QLineEdit* channels = nullptr;
    QLineEdit* firmware = nullptr;
    controls::SevenSegment* channel = nullptr;
    controls::SevenSegment* frequency = nullptr;
    controls::SevenSegment* power = nullptr;
    controls::StatusIcon* pll = nullptr;
    controls::MultiGauge* gauge = nullptr;
    SignalHistoryPlot* plot = nullptr;
    controls::ColoredPanel* localLamp = nullptr;
    controls::ColoredPanel* networkLamp = nullptr;
    controls::ColoredPanel* transmitLamp = nullptr;
    controls::ColoredPanel* receiveLamp = nullptr;
    controls::UpDown* channelStep = nullptr;
    controls::UpDown* powerStep = nullptr;
    QPushButton* toggle = nullptr;
    QPushButton* local = nullptr;
    QLineEdit* remoteNode = nullptr;
    QLineEdit* remoteChannel = nullptr;
    QLineEdit* remotePower = nullptr;
    QPushButton* request = nullptr;
    QPushButton* network = nullptr;
};

TestDialog::TestDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent)
    : QWidget(parent), p_(std::make_unique<Parts>(connection, settings))
{
    setObjectName("DIALOG_TEST");
    UseWorkspaceColour(this);
    Build();
    Connect();
    editor::WriteText(p_->remotePower, kStartPower);
    NodeDataChanged(nullptr);
    Reset();
}

TestDialog::~TestDialog() = default;

void TestDialog::Build()
{
    using editor::PlainLabel;
    Parts& p = *p_;

    // What the node says about itself.
    QFrame* identity = Panel(this);
    p.serialNumber = ReadOnlyText(kSerialNumber, identity);
    p.channelLayout = ReadOnlyText(kChannelLayout, identity);
    p.channels = ReadOnlyText(kChannels, identity);
    p.firmware = ReadOnlyText(kFirmware, identity);
    auto* identityGrid = new QGridLayout(identity);
    identityGrid->addWidget(editor::BuddyLabel(tr("Serial Number"), 0, p.serialNumber, identity), 0, 0);
    identityGrid->addWidget(p.serialNumber, 0, 1);
    identityGrid->addWidget(editor::BuddyLabel(tr("Channels"), 0, p.channels, identity), 1, 0);
    identityGrid->addWidget(p.channels, 1, 1);
    identityGrid->addWidget(editor::BuddyLabel(tr("Channel Layout"), 0, p.channelLayout, identity), 0, 2);
    identityGrid->addWidget(p.channelLayout, 0, 3);
    identityGrid->addWidget(editor::BuddyLabel(tr("Node Firmware"), 0, p.firmware, identity), 1, 2);
    identityGrid->addWidget(p.firmware, 1, 3);
    identityGrid->setColumnStretch(1, 1);
    identityGrid->setColumnStretch(3, 2);

    // The radio as the status blocks report it.
    QFrame* radio = Panel(this);
    p.channel = Display(kChannelDisplay, tr("Channel"), radio);
    p.frequency = Display(kFrequencyDisplay, tr("Frequency, MHz"), radio);
    p.power = Display(kPowerDisplay, tr("Power, mW"), radio);
    p.pll = editor::Picture(kPll, kPllUnlockedIcon, kPllLockedIcon, tr("PLL"), kPllSide, radio);
    p.gauge = Named(new controls::MultiGauge(kSignalScale, radio), kGauge);
    p.gauge->setAccessibleName(tr("Received Signal Strength (dBm)"));
    p.gauge->setFixedHeight(kGaugeHeight);
    p.plot = new SignalHistoryPlot(radio);
    p.plot->setObjectName("SignalHistoryPlot");
    p.plot->setAccessibleName(tr("Received signal strength, last ten minutes"));

    auto* displays = new QGridLayout;
    const auto addDisplay = [&](int row, const QString& label, controls::SevenSegment* display) {
        displays->addWidget(PlainLabel(label, 0, radio), row, 0);
        displays->addWidget(display, row, 1);
    };
    addDisplay(0, tr("Channel"), p.channel);
    addDisplay(1, tr("Frequency, MHz"), p.frequency);
    addDisplay(2, tr("Power, mW"), p.power);
    displays->setRowStretch(3, 1);
    auto* pllRow = new QHBoxLayout;
    pllRow->addWidget(PlainLabel(tr("PLL"), 0, radio));
    pllRow->addWidget(p.pll);
    pllRow->addStretch();
    auto* signal = new QVBoxLayout;
    signal->addLayout(pllRow);
    signal->addWidget(PlainLabel(tr("Received Signal Strength (dBm)"), 0, radio));
    signal->addWidget(p.gauge);
    signal->addWidget(p.plot, 1);
    auto* radioRow = new QHBoxLayout(radio);
    radioRow->addLayout(displays);
    radioRow->addSpacing(radioRow->spacing() * 2);
    radioRow->addLayout(signal, 1);

    // Local carrier: into the mode, then step and switch it.
    QGroupBox* localGroup = PanelGroup(tr("&Local Carrier"), this);
    QWidget* localLampFrame = nullptr;
    QWidget* transmitLampFrame = nullptr;
    QWidget* receiveLampFrame = nullptr;
    p.localLamp = Lamp(kLocalLamp, kModeLampColour, tr("Local carrier mode"), localGroup, &localLampFrame);
    p.local = PageButton(kLocal, tr("L&ocal"), localGroup);
    p.channelStep = Named(new controls::UpDown(localGroup), kChannelStep);
    p.powerStep = Named(new controls::UpDown(localGroup), kPowerStep);
    p.toggle = PageButton(kToggle, tr("T&X/RX"), localGroup);
    p.transmitLamp = Lamp(kTransmitLamp, kCarrierLampColour, tr("TX"), localGroup, &transmitLampFrame);
    p.receiveLamp = Lamp(kReceiveLamp, kCarrierLampColour, tr("RX"), localGroup, &receiveLampFrame);
    const auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets) line->addWidget(w);
        line->addStretch();
        return line;
    };
    auto* localRows = new QVBoxLayout(localGroup);
    localRows->addLayout(row({localLampFrame, p.local}));
    localRows->addLayout(row({p.toggle, transmitLampFrame, PlainLabel(tr("TX"), 0, localGroup), receiveLampFrame,
                              PlainLabel(tr("RX"), 0, localGroup)}));
    localRows->addLayout(row({editor::BuddyLabel(tr("Channel"), 0, p.channelStep, localGroup), p.channelStep,
                              editor::BuddyLabel(tr("Power"), 0, p.powerStep, localGroup), p.powerStep}));
    localRows->addStretch();

    // Remote carrier: asked of another node while this one is in the network.
    QGroupBox* remoteGroup = PanelGroup(tr("&Remote Carrier"), this);
    QWidget* networkLampFrame = nullptr;
    p.networkLamp = Lamp(kNetworkLamp, kModeLampColour, tr("Network mode"), remoteGroup, &networkLampFrame);
    p.network = PageButton(kNetwork, tr("Networ&k"), remoteGroup);
    p.remoteNode = NarrowEdit(kRemoteNode, kRemoteEditCharacters, remoteGroup);
    p.remoteChannel = NarrowEdit(kRemoteChannel, kRemoteEditCharacters, remoteGroup);
    p.remotePower = NarrowEdit(kRemotePower, kRemoteEditCharacters, remoteGroup);
    p.request = PageButton(kRequest, tr("Re&quest"), remoteGroup);
    auto* remoteRows = new QVBoxLayout(remoteGroup);
    remoteRows->addLayout(row({networkLampFrame, p.network}));
    remoteRows->addLayout(row({editor::BuddyLabel(tr("No&de"), 0, p.remoteNode, remoteGroup), p.remoteNode,
                               editor::BuddyLabel(tr("C&hannel"), 0, p.remoteChannel, remoteGroup), p.remoteChannel,
                               editor::BuddyLabel(tr("Po&wer"), 0, p.remotePower, remoteGroup), p.remotePower}));
    remoteRows->addLayout(row({p.request}));
    remoteRows->addStretch();

    auto* carriers = new QHBoxLayout;
    carriers->addWidget(localGroup, 1);
    carriers->addWidget(remoteGroup, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(identity);
    page->addWidget(radio, 1); // the plot takes the height there is
    page->addLayout(carriers);

    setTabOrder(p.serialNumber, p.channels);
    setTabOrder(p.channels, p.channelLayout);
    setTabOrder(p.channelLayout, p.firmware);
    setTabOrder(p.firmware, p.local);
    setTabOrder(p.local, p.channelStep);
    setTabOrder(p.channelStep, p.powerStep);
    setTabOrder(p.powerStep, p.toggle);
    setTabOrder(p.toggle, p.network);
    setTabOrder(p.network, p.remoteNode);
    setTabOrder(p.remoteNode, p.remoteChannel);
    setTabOrder(p.remoteChannel, p.remotePower);
    setTabOrder(p.remotePower, p.request);
}

void TestDialog::Connect()
{
    Parts& p = *p_;
    Worker& worker = p.connection.worker();
    const auto send = [&worker](const EndpointRequest& r) { worker.RequestEndpointControl(r.node, r.values); };
    connect(p.local, &QPushButton::clicked, this, [send] { send(LocalCarrierRequest()); });
    connect(p.network, &QPushButton::clicked, this, [send] { send(NetworkModeRequest()); });
    connect(p.request, &QPushButton::clicked, this, [this, send] {
        const auto held = [](const QLineEdit* edit) { return editor::Held(edit->text()); };
        const auto r = RemoteCarrierRequest(held(p_->remoteNode), held(p_->remoteChannel), held(p_->remotePower));
        if (r) send(*r);
    });
    connect(p.toggle, &QPushButton::clicked, this, [&worker] { worker.RequestToggle(); });
    connect(p.channelStep, &controls::UpDown::Stepped, this,
            [&worker](int delta) { worker.RequestChannelStep(delta); });
    connect(p.powerStep, &controls::UpDown::Stepped, this, [&worker](int delta) { worker.RequestPowerStep(delta); });
    connect(p.remoteNode, &QLineEdit::textEdited, this, &TestDialog::ApplyRules);
    connect(p.remotePower, &QLineEdit::textEdited, this, &TestDialog::ApplyRules);
    connect(p.remoteChannel, &QLineEdit::textEdited, this, [this] {
        p_->follow.Edited();
        ApplyRules();
    });
}

void TestDialog::SetClock(TickClock ticks) { p_->ticks = std::move(ticks); }

void TestDialog::LiveData(const std::optional<StatusBlockBytes>& block)
{
    if (block)
        Update(*block);
    else
        Reset();
}

void TestDialog::Update(const StatusBlockBytes& block)
{
    Parts& p = *p_;
    const RadioStatus status = DecodeRadioStatus(block);
    p.gauge->SetValue(status.signalDbm);
    p.pll->SetState(status.pll);
    p.frequency->SetText(QString::fromStdString(FrequencyText(status.frequencyHz)));
    p.power->SetText(QString::fromStdString(PowerText(status.power)));
    p.channel->SetText(QString::fromStdString(ChannelText(status.channel)));
    if (status.mode != p.mode) {
        p.mode = status.mode;
        ApplyRules();
    }
    if (const auto text = p.follow.NodeReported(status.channel, status.mode)) {
        editor::WriteText(p.remoteChannel, *text);
        ApplyRules();
    }
    p.plot->AddSample(p.ticks(), status.signalDbm);
}

void TestDialog::Reset()
{
    Parts& p = *p_;
    p.gauge->ClearValue();
    p.pll->SetState(controls::kStateUnknown);
    for (controls::SevenSegment* display : {p.channel, p.frequency, p.power}) display->SetText({});
    p.mode = kModeUnknown;
    ApplyRules();
    p.plot->Age(p.ticks());
}

void TestDialog::ApplyRules()
{
    Parts& p = *p_;
    const bool filled =
        !p.remoteNode->text().isEmpty() && !p.remoteChannel->text().isEmpty() && !p.remotePower->text().isEmpty();
    const TestPageEnabling e = TestPageRules(p.mode, filled);
    p.networkLamp->SetState(LampState(e.networkLamp));
    p.localLamp->SetState(LampState(e.localLamp));
    p.transmitLamp->SetState(LampState(e.transmitLamp));
    p.receiveLamp->SetState(LampState(e.receiveLamp));
    for (QWidget* w : std::initializer_list<QWidget*>{p.remoteNode, p.remoteChannel, p.remotePower})
        editor::WriteEnabled(w, e.remoteGroup);
    editor::WriteEnabled(p.request, e.request);
    for (QWidget* w : std::initializer_list<QWidget*>{p.toggle, p.channelStep, p.powerStep})
        editor::WriteEnabled(w, e.localGroup);
    editor::WriteEnabled(p.local, e.modeButtons);
    editor::WriteEnabled(p.network, e.modeButtons);
}

void TestDialog::NodeDataChanged(const NodeStaticData* data)
{
    Parts& p = *p_;
    if (!data) {
        for (QLineEdit* text : {p.serialNumber, p.channelLayout, p.channels, p.firmware}) editor::WriteText(text, {});
        return;
    }
    editor::WriteText(p.serialNumber, std::string(TextOf(data->serialNumber, sizeof data->serialNumber)));
    editor::WriteText(p.channelLayout, std::string(TextOf(data->channelLayout, sizeof data->channelLayout)));
    editor::WriteText(p.channels, std::string(TextOf(data->highestChannel, sizeof data->highestChannel)));
    editor::WriteText(p.firmware,
                      FirmwareText(TextOf(data->firmwareVersion, sizeof data->firmwareVersion), p.trinomial));
}

} // namespace mnm::tools
