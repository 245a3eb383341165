#include "tools/EngineeringDialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

#include "connection/NodeConnection.h"
#include "editor/EntryListModel.h"
#include "editor/PageControls.h"
#include "editor/WidgetWrites.h"
#include "tools/AlarmListDelegate.h"
#include "tools/LivePage.h"
#include "tools/model/AlarmList.h"
#include "tools/model/DiagnosticsLog.h"
#include "tools/model/EngineeringCommands.h"
#include "tools/model/MemoryRead.h"

namespace mnm::tools {

namespace {

enum Id {
    kDigitalEndpoint = 4107, kDigitalOn = 3065, kDigitalOff = 3064,
    kPulseEndpoint = 4106, kPulseCount = 4103, kPulses = 3062,
    kVoltsEndpoint = 4105, kVolts = 4102, kSetVolts = 3061,
    kMilliampsEndpoint = 4104, kMilliamps = 4101, kSetMilliamps = 3063,
    kAddress = 4008, kAddressBase = 5101, kMemoryKind = 5102, kRead = 3068, kResult = 2002,
    kAlarmList = 5104, kAlarmSet = 3067, kAlarmClear = 3066,
    kDiagnosticsList = 5103, kDiagnosticsClear = 3069, kDeepen = 3070,
};

// The alarm list's second tab stop, in dialog units: where the node's state starts.
constexpr int kAlarmTabStop = 55;

// The node's alarm as command 97 sets it.
constexpr std::uint8_t kAlarmOn = 1;
constexpr std::uint8_t kAlarmOff = 0;

constexpr int kEndpointCharacters = 8;
constexpr int kValueCharacters = 8;
constexpr int kAddressCharacters = 10;

// Before the page grows, the two lists share the column evenly.
constexpr int kListShare = 1;

QLineEdit* Value(int id, const QString& name, QWidget* parent)
{
    QLineEdit* edit = NarrowEdit(id, kValueCharacters, parent);
    edit->setAccessibleName(name);
    return edit;
}

std::string TextOf(const QLineEdit* edit) { return editor::Held(edit->text()); }

// The line is longer than the page is wide: it shows from its start, the address.
void ShowResult(QLineEdit* result, const std::string& text)
{
    result->setText(QString::fromStdString(text));
    result->setCursorPosition(0);
}

template <std::size_t N> void Send(Worker& worker, const std::optional<CommandBytes<N>>& bytes)
{
    // Texts that do not read send nothing and say nothing. A command while
    // the worker still holds one is refused by it and lost.
    if (bytes) worker.RequestEngineeringCommand(std::span<const std::uint8_t>(*bytes));
}

} // namespace

struct EngineeringDialog::Parts {
    explicit Parts(NodeConnection& c) : connection(c) {}

    // Each group with its controls and what they do; `page` owns them.
    QGroupBox* EndpointControl(QWidget* page);
    QGroupBox* MemoryInterrogation(QWidget* page);
    QGroupBox* Alarm(QWidget* page);
    QGroupBox* Diagnostics(QWidget* page, bool deepAllowed);
    void Deepen();

    Worker& worker() { return connection.worker(); }

    NodeConnection& connection;
    QLineEdit* digitalEndpoint = nullptr;
    QLineEdit* pulseEndpoint = nullptr;
    QLineEdit* voltsEndpoint = nullptr;
    QLineEdit* milliampsEndpoint = nullptr;
    QLineEdit* result = nullptr;
    QGroupBox* alarmGroup = nullptr;
    QListView* alarmList = nullptr;
    editor::EntryListModel* alarmModel = nullptr;
    QListWidget* diagnosticsList = nullptr;
    QPushButton* deepen = nullptr;
    QVBoxLayout* listColumn = nullptr;

    std::vector<std::string> alarmLines;
    DiagnosticsLog diagnostics;
};

// One row per output kind: its endpoint, the value and the action.
QGroupBox* EngineeringDialog::Parts::EndpointControl(QWidget* page)
{
    auto* group = PanelGroup(EngineeringDialog::tr("&Endpoint Control"), page);
    digitalEndpoint = NarrowEdit(kDigitalEndpoint, kEndpointCharacters, group);
    auto* on = PageButton(kDigitalOn, EngineeringDialog::tr("O&n"), group);
    auto* off = PageButton(kDigitalOff, EngineeringDialog::tr("O&ff"), group);
    pulseEndpoint = NarrowEdit(kPulseEndpoint, kEndpointCharacters, group);
    QLineEdit* pulseCount = Value(kPulseCount, EngineeringDialog::tr("Pulse count"), group);
    auto* pulses = PageButton(kPulses, EngineeringDialog::tr("P&ulses"), group);
    voltsEndpoint = NarrowEdit(kVoltsEndpoint, kEndpointCharacters, group);
    QLineEdit* volts = Value(kVolts, EngineeringDialog::tr("Voltage"), group);
    auto* setVolts = PageButton(kSetVolts, EngineeringDialog::tr("Set V&olts"), group);
    milliampsEndpoint = NarrowEdit(kMilliampsEndpoint, kEndpointCharacters, group);
    QLineEdit* milliamps = Value(kMilliamps, EngineeringDialog::tr("Current"), group);
    auto* setMilliamps = PageButton(kSetMilliamps, EngineeringDialog::tr("Set m&A"), group);

    auto* grid = new QGridLayout(group);
    const auto row = [&](int r, const QString& label, QLineEdit* endpoint, QWidget* value, QWidget* action) {
        grid->addWidget(editor::BuddyLabel(label, 0, endpoint, group), r, 0);
        grid->addWidget(endpoint, r, 1);
        grid->addWidget(value, r, 2);
        grid->addWidget(action, r, 3);
    };
    row(0, EngineeringDialog::tr("&Digital Output"), digitalEndpoint, on, off);
    row(1, EngineeringDialog::tr("&Pulse Output"), pulseEndpoint, pulseCount, pulses);
    row(2, EngineeringDialog::tr("Analog Output (&Volts)"), voltsEndpoint, volts, setVolts);
    row(3, EngineeringDialog::tr("Analog Output (&mA)"), milliampsEndpoint, milliamps, setMilliamps);
    grid->setColumnStretch(4, 1);

    QObject::connect(on, &QPushButton::clicked, page,
                     [this] { Send(worker(), DigitalCommandFor(TextOf(digitalEndpoint), true)); });
    QObject::connect(off, &QPushButton::clicked, page,
                     [this] { Send(worker(), DigitalCommandFor(TextOf(digitalEndpoint), false)); });
    QObject::connect(pulses, &QPushButton::clicked, page, [this, pulseCount] {
        Send(worker(), PulseCommandFor(TextOf(pulseEndpoint), TextOf(pulseCount)));
    });
    QObject::connect(setVolts, &QPushButton::clicked, page, [this, volts] {
        Send(worker(), AnalogCommandFor(TextOf(voltsEndpoint), TextOf(volts), kVoltsScale));
    });
    QObject::connect(setMilliamps, &QPushButton::clicked, page, [this, milliamps] {
        Send(worker(), AnalogCommandFor(TextOf(milliampsEndpoint), TextOf(milliamps), kMilliampsScale));
    });
    return group;
}

// The address and how it is written on one row, the result line below.
QGroupBox* EngineeringDialog::Parts::MemoryInterrogation(QWidget* page)
{
    auto* group = PanelGroup(EngineeringDialog::tr("&Memory Interrogation"), page);
    QLineEdit* address = NarrowEdit(kAddress, kAddressCharacters, group);
    address->setAccessibleName(EngineeringDialog::tr("Address"));
    using Dialog = EngineeringDialog;
    // In the order of AddressBase.
    QComboBox* base =
        editor::DropDown(kAddressBase, {Dialog::tr("Hex"), Dialog::tr("Dec")}, Dialog::tr("Address base"), group);
    QComboBox* kind =
        editor::DropDown(kMemoryKind, {Dialog::tr("CPU"), Dialog::tr("EEPROM")}, Dialog::tr("Memory kind"), group);
    kind->setEnabled(false); // only the processor's memory is read
    auto* read = PageButton(kRead, EngineeringDialog::tr("Rea&d"), group);
    result = editor::Named(new QLineEdit(group), kResult);
    result->setReadOnly(true);
    result->setAccessibleName(EngineeringDialog::tr("Memory contents"));
    result->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* query = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{address, base, kind, read}) query->addWidget(w);
    query->addStretch();
    auto* column = new QVBoxLayout(group);
    column->addLayout(query);
    column->addWidget(result);

    QObject::connect(read, &QPushButton::clicked, page, [this, address, base] {
        const AddressRead read = ReadAddress(TextOf(address), static_cast<AddressBase>(base->currentIndex()));
        if (read.check == AddressCheck::kOk)
            worker().RequestMemoryRead(read.address);
        else
            ShowResult(result, AddressMessage(read.check));
    });
    const auto emptyResult = [this] { result->clear(); };
    QObject::connect(address, &QLineEdit::textEdited, page, emptyResult);
    QObject::connect(base, &QComboBox::activated, page, emptyResult);
    QObject::connect(kind, &QComboBox::activated, page, emptyResult);
    return group;
}

// Every node's alarm state, and the attached node's own alarm.
QGroupBox* EngineeringDialog::Parts::Alarm(QWidget* page)
{
    alarmGroup = PanelGroup(EngineeringDialog::tr("Alar&m"), page);
    alarmModel = new editor::EntryListModel(
        {[this] { return static_cast<int>(alarmLines.size()); },
         [this](int r) { return alarmLines[static_cast<std::size_t>(r)]; },
         [](const std::string& line) { return SpokenAlarmLine(line); }},
        page);
    alarmList = editor::Named(new QListView(alarmGroup), kAlarmList);
    alarmList->setModel(alarmModel);
    alarmList->setItemDelegate(new AlarmListDelegate(kAlarmTabStop, alarmList));
    alarmList->setUniformItemSizes(true);
    // A row is as wide as the list: its width taken before the vertical
    // scroll bar came would otherwise bring a horizontal one.
    alarmList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    alarmList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    alarmList->setAccessibleName(EngineeringDialog::tr("Alarm state of each node"));
    auto* set = PageButton(kAlarmSet, EngineeringDialog::tr("Se&t"), alarmGroup);
    auto* clear = PageButton(kAlarmClear, EngineeringDialog::tr("C&lear"), alarmGroup);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(set);
    buttons->addWidget(clear);
    buttons->addStretch();
    auto* column = new QVBoxLayout(alarmGroup);
    column->addWidget(alarmList, 1);
    column->addLayout(buttons);

    QObject::connect(set, &QPushButton::clicked, page, [this] { worker().RequestOnOff(kAlarmOn); });
    QObject::connect(clear, &QPushButton::clicked, page, [this] { worker().RequestOnOff(kAlarmOff); });
    return alarmGroup;
}

// The node's own text messages.
QGroupBox* EngineeringDialog::Parts::Diagnostics(QWidget* page, bool deepAllowed)
{
    auto* group = PanelGroup(EngineeringDialog::tr("Diagnosti&cs"), page);
    diagnosticsList = editor::Named(new QListWidget(group), kDiagnosticsList);
    diagnosticsList->setAccessibleName(EngineeringDialog::tr("Node messages"));
    diagnosticsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* clear = PageButton(kDiagnosticsClear, EngineeringDialog::tr("C&lear"), group);
    deepen = PageButton(kDeepen, EngineeringDialog::tr("Deepe&n"), group);
    if (!deepAllowed) deepen->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(deepen);
    buttons->addStretch();
    auto* column = new QVBoxLayout(group);
    column->addWidget(diagnosticsList, 1);
    column->addLayout(buttons);

    QObject::connect(clear, &QPushButton::clicked, page, [this] {
        diagnostics.Clear();
        diagnosticsList->clear();
    });
    QObject::connect(deepen, &QPushButton::clicked, page, [this] { Deepen(); });
    return group;
}

// For the rest of the program's life the messages take the alarm list's room.
void EngineeringDialog::Parts::Deepen()
{
    alarmList->hide();
    listColumn->setStretchFactor(alarmGroup, 0);
    deepen->setEnabled(false);
}

EngineeringDialog::EngineeringDialog(NodeConnection& connection, const ProgramSettings& settings, QWidget* parent)
    : QWidget(parent), p_(std::make_unique<Parts>(connection))
{
    setObjectName("DIALOG_ENGINEERING");
    UseWorkspaceColour(this);
    // The endpoint control at the left, the two lists in one column filling
    // the rest; the memory's long result line across the whole width below.
    auto* controls = new QVBoxLayout;
    controls->addWidget(p_->EndpointControl(this));
    controls->addStretch();
    p_->listColumn = new QVBoxLayout;
    p_->listColumn->addWidget(p_->Alarm(this), kListShare);
    p_->listColumn->addWidget(p_->Diagnostics(this, settings.allowDeepDiagnostics), kListShare);
    auto* top = new QHBoxLayout;
    top->addLayout(controls);
    top->addLayout(p_->listColumn, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top, 1);
    page->addWidget(p_->MemoryInterrogation(this));
}

EngineeringDialog::~EngineeringDialog() = default;

void EngineeringDialog::Tick()
{
    Parts& p = *p_;
    Worker& worker = p.worker();
    if (const std::optional<MemoryReply> reply = worker.TakeMemoryReply()) {
        if (const std::optional<std::string> line = MemoryResultLine(*reply)) ShowResult(p.result, *line);
    }

    switch (worker.LiveValuesReady()) {
    case LiveValuesState::kNone: p.alarmLines.clear(); break;
    case LiveValuesState::kNew: p.alarmLines = AlarmLines(worker.TakeLiveValues()); break;
    case LiveValuesState::kTaken: break;
    }
    // The rows are reset only when a line changed; the list keeps its scroll position.
    p.alarmModel->Refresh();

    if (const std::optional<std::string> text = p.connection.TakeNodeText()) {
        const int pushedOut = p.diagnostics.Add(*text);
        for (int i = 0; i < pushedOut; ++i) delete p.diagnosticsList->takeItem(0);
        p.diagnosticsList->addItem(editor::Shown(p.diagnostics.Lines().back()));
        p.diagnosticsList->setCurrentRow(p.diagnosticsList->count() - 1);
    }
}

void EngineeringDialog::NodeDataChanged(const NodeStaticData* data)
{
    if (data == nullptr) return;
    Parts& p = *p_;
    // Only empty fields are filled: what the engineer typed stays.
    EngineeringEndpoints fields{TextOf(p.digitalEndpoint), TextOf(p.pulseEndpoint), TextOf(p.voltsEndpoint),
                                TextOf(p.milliampsEndpoint)};
    FillDefaultEngineeringEndpoints(*data, fields);
    editor::WriteText(p.digitalEndpoint, fields.digitalOutput);
    editor::WriteText(p.pulseEndpoint, fields.pulseOutput);
    editor::WriteText(p.voltsEndpoint, fields.analogOutput1);
    editor::WriteText(p.milliampsEndpoint, fields.analogOutput2);
}

} // namespace mnm::tools
