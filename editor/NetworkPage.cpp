#include "editor/NetworkPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "editor/WizardWindow.h"
#include "editor/model/PageRules.h"
#include "nodeconf/NodeConf.h"
#include "reports/ModalHost.h"

namespace mnm::editor {

namespace {

enum Id {
    kNameLabel = 3017, kName = 8018, kNodeLabel = 3018, kNode = 8019, kChannelLabel = 3020, kChannel = 8017,
    kPowerLabel = 3019, kPower = 21006, kPowerUnit = 3007, kIntervalLabel = 1025, kIntervalUnit = 1026,
    kRetriesLabel = 3011, kAlarmLabel = 3010, kAlarmUnit = 3006, kLowPowerTransmitter = 7007,
    kPreTransmitLabel = 3060, kPreTransmit = 8009, kPreTransmitUnit = 3002, kLowPowerReceiver = 7006,
    kUhfRadio = 7013, kDialupModem = 7012, kLeasedLineModem = 7011, kHelpText = 1401,
};

constexpr const char* kHelp =
    "The Transmit Interval and Alarm Delay may be entered as hours, minutes, and/or seconds. (Minimum Transmit "
    "Interval is 20 seconds. Alarm Delay must be minimum twice the Transmit Interval).\n\nExamples of valid "
    "formats:\n\t40s\n\t2m\n\t1h10m\n\n\nIf no units are entered, i.e. h,m, or s, the entry is assumed to be in "
    "minutes.";

// The hidden buttons the explanation's links press, with their own texts.
struct CorrectionButton {
    int id;
    const char* text;
};
constexpr CorrectionButton kCorrections[] = {
    {kSetMinInterval, "SetMinTXI"},
    {kSetMaxInterval, "SetMaxTXI"},
    {kSetMaxRetries, "SetMaxMaxRetries"},
    {kRoundUpAlarmDelay, "RoundUpAlarmDelay"},
    {kRoundDownAlarmDelay, "RoundDownAlarmDelay"},
    {kIntervalFromRetries, "Set Minimum Transmit Interval from Maximum Retries"},
    {kRetriesFromInterval, "Set Maximum Maximum Retries from TX Interval"},
    {kAlarmDelayFromInterval, "Set Minimum Alarm Delay from Transmit Interval"},
    {kIntervalFromAlarmDelay, "Set Maximum Transmit Interval from Alarm Delay"},
};

constexpr int kFieldCharacters = 10; // the fields' width, in digits

QCheckBox* Box(const QString& text, int id, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    return box;
}

// What was typed, in the case the field keeps; the cursor stays put.
QString Folded(QLineEdit* edit, const QString& typed, bool upper)
{
    const QString folded = upper ? typed.toUpper() : typed.toLower();
    if (folded != typed) {
        const int cursor = edit->cursorPosition();
        edit->setText(folded);
        edit->setCursorPosition(cursor);
    }
    return folded;
}

} // namespace

NetworkPage::NetworkPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("NetworkPage");
    grid_ = new QGridLayout(this);
    auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);

    name_ = AddField(0, kNameLabel, tr("Networ&k Name"), kName);
    name_->setMaxLength(kNetworkNameLength); // a load never holds more, so nothing is cut
    node_ = AddField(1, kNodeLabel, tr("No&de Number"), kNode);
    channel_ = AddField(2, kChannelLabel, tr("&Channel"), kChannel);
    power_ = new QComboBox(this);
    power_->setObjectName(QString::number(kPower));
    power_->setEditable(true);
    power_->setInsertPolicy(QComboBox::NoInsert);
    power_->addItems({"50", "100", "250", "500"});
    power_->setCurrentIndex(-1);
    power_->setMaximumWidth(power_->fontMetrics().horizontalAdvance(QString(kFieldCharacters + 4, '0')));
    QLabel* powerLabel = BuddyLabel(tr("Transmit &Power"), kPowerLabel, power_, this);
    QLabel* powerUnit = PlainLabel(tr("mW"), kPowerUnit, this);
    grid_->addWidget(powerLabel, 3, 0);
    grid_->addWidget(power_, 3, 1);
    grid_->addWidget(powerUnit, 3, 2);
    interval_ = AddField(4, kIntervalLabel, tr("Transmit &Interval"), kTransmitIntervalField, kIntervalUnit,
                         tr("minutes"));
    retries_ = AddField(5, kRetriesLabel, tr("Maximum &Retries"), kMaxRetriesField);
    alarm_ = AddField(6, kAlarmLabel, tr("&Alarm Delay"), kAlarmDelayField, kAlarmUnit, tr("minutes"));
    for (QLineEdit* edit : {node_, channel_, retries_}) edit->setValidator(digits);
    intervalMinutes_ = findChild<QLabel*>(QString::number(kIntervalUnit));
    alarmMinutes_ = findChild<QLabel*>(QString::number(kAlarmUnit));
    radioFields_ = {grid_->itemAtPosition(2, 0)->widget(), channel_, powerLabel, power_, powerUnit,
                    grid_->itemAtPosition(4, 0)->widget(), interval_, intervalMinutes_,
                    grid_->itemAtPosition(5, 0)->widget(), retries_, grid_->itemAtPosition(6, 0)->widget(),
                    alarmMinutes_};

    // The help text, and over it the explanation while one stands.
    help_ = PlainLabel(tr(kHelp), kHelpText, this);
    help_->setWordWrap(true);
    help_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help_->setMinimumWidth(help_->fontMetrics().averageCharWidth() * 36);
    wizard_ = new WizardWindow(this);
    grid_->addWidget(help_, 0, 4, 7, 1);
    grid_->addWidget(wizard_, 0, 4, 7, 1);
    grid_->setColumnMinimumWidth(3, help_->fontMetrics().averageCharWidth() * 2);
    grid_->setColumnStretch(4, 1);
    grid_->setRowStretch(7, 1);

    // The hardware on the left, low-power operation on the right.
    uhf_ = Box(tr("&UHF Radio"), kUhfRadio, this);
    dialup_ = Box(tr("&Dialup / GSM Modem"), kDialupModem, this);
    leased_ = Box(tr("&Leased Line Modem"), kLeasedLineModem, this);
    lowPowerTransmitter_ = Box(tr("Low-power &Transmitter"), kLowPowerTransmitter, this);
    preTransmit_ = new QLineEdit(this);
    preTransmit_->setObjectName(QString::number(kPreTransmit));
    preTransmit_->setValidator(digits);
    preTransmit_->setMaximumWidth(node_->maximumWidth());
    lowPowerReceiver_ = Box(tr("Low-power Recei&ver"), kLowPowerReceiver, this);
    grid_->addWidget(uhf_, 8, 0, 1, 3);
    grid_->addWidget(dialup_, 9, 0, 1, 3);
    grid_->addWidget(leased_, 10, 0, 1, 3);
    auto* lowPower = new QGridLayout;
    lowPower->addWidget(lowPowerTransmitter_, 0, 0, 1, 3);
    lowPower->addWidget(BuddyLabel(tr("&Pre-Transmit On-Time"), kPreTransmitLabel, preTransmit_, this), 1, 0);
    lowPower->addWidget(preTransmit_, 1, 1);
    lowPower->addWidget(PlainLabel(tr("seconds"), kPreTransmitUnit, this), 1, 2);
    lowPower->addWidget(lowPowerReceiver_, 2, 0, 1, 3);
    lowPower->setColumnStretch(2, 1);
    grid_->addLayout(lowPower, 8, 4, 3, 1);

    for (const CorrectionButton& c : kCorrections) {
        auto* button = new QPushButton(QString::fromLatin1(c.text), this);
        button->setObjectName(QString::number(c.id));
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, id = c.id] { Correct(id); });
    }
    connect(wizard_, &WizardWindow::LinkPressed, this, [this](int command) {
        if (auto* button = findChild<QPushButton*>(QString::number(command))) button->click();
    });

    auto edited = [this](QLineEdit* edit, auto store) {
        connect(edit, &QLineEdit::textEdited, this, [this, store](const QString& text) {
            host_.Edit([&](EditorContents& e) { store(e, Held(text)); });
        });
    };
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        const QString text = Folded(name_, typed, true);
        host_.Edit([&](EditorContents& e) { e.networkName = Held(text); });
    });
    edited(node_, [](EditorContents& e, std::string t) { e.nodeNumber = std::move(t); });
    edited(channel_, [](EditorContents& e, std::string t) { e.channel = std::move(t); });
    edited(preTransmit_, [](EditorContents& e, std::string t) { e.preTransmitOnTime = std::move(t); });
    const auto power = [this](const QString& text) {
        host_.Edit([&](EditorContents& e) { e.transmitPower = Held(text); });
    };
    connect(power_->lineEdit(), &QLineEdit::textEdited, this, power);
    connect(power_, &QComboBox::textActivated, this, power);
    connect(interval_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        TimeFieldEdited(kTransmitIntervalField, Folded(interval_, typed, false));
    });
    connect(alarm_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { TimeFieldEdited(kAlarmDelayField, Folded(alarm_, typed, false)); });
    connect(retries_, &QLineEdit::textEdited, this,
            [this](const QString& text) { TimeFieldEdited(kMaxRetriesField, text); });

    auto toggles = [this](QCheckBox* box, bool EditorContents::*flag) {
        connect(box, &QCheckBox::clicked, this,
                [this, flag](bool checked) { host_.Edit([&](EditorContents& e) { e.*flag = checked; }); });
    };
    toggles(uhf_, &EditorContents::uhfRadio);
    toggles(lowPowerTransmitter_, &EditorContents::lowPowerTransmitter);
    toggles(lowPowerReceiver_, &EditorContents::lowPowerReceiver);
    connect(leased_, &QCheckBox::clicked, this, [this] { ModemBoxClicked(true); });
    connect(dialup_, &QCheckBox::clicked, this, [this] { ModemBoxClicked(false); });
}

QLineEdit* NetworkPage::AddField(int row, int labelId, const QString& label, int editId, int unitId,
                                 const QString& unit)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(editId));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(kFieldCharacters, '0')) + 12);
    grid_->addWidget(BuddyLabel(label, labelId, edit, this), row, 0);
    grid_->addWidget(edit, row, 1);
    if (unitId != 0) grid_->addWidget(PlainLabel(unit, unitId, this), row, 2);
    return edit;
}

void NetworkPage::TimeFieldEdited(NetworkField field, const QString& text)
{
    host_.Edit([&](EditorContents& e) { ChangeNetworkField(e, explanation_, field, Held(text)); });
    Explained();
}

void NetworkPage::Correct(int command)
{
    host_.Edit([&](EditorContents& e) { RunCorrection(e, explanation_, command); });
    Explained();
}

void NetworkPage::Explained() { wizard_->SetExplanation(explanation_); }

void NetworkPage::ModemBoxClicked(bool leasedLine)
{
    ModemChange change;
    host_.Edit([&](EditorContents& e) { change = ClickModemBox(e, leasedLine); });
    if (!change.ask) return;
    const bool yes = reports::Modal().Ask(this, QMessageBox::Question, Shown(change.caption), Shown(change.question),
                                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    host_.Edit([&](EditorContents& e) { AnswerModemChange(e, leasedLine, yes); });
}

void NetworkPage::Reset()
{
    explanation_ = {};
    Explained();
}

void NetworkPage::Refresh(bool current)
{
    const EditorContents& e = host_.Contents();
    WriteText(name_, e.networkName);
    WriteText(node_, e.nodeNumber);
    WriteText(channel_, e.channel);
    WriteText(power_, e.transmitPower);
    WriteText(interval_, e.transmitInterval);
    WriteText(retries_, e.maxRetries);
    WriteText(alarm_, e.alarmDelay);
    WriteText(preTransmit_, e.preTransmitOnTime);
    WriteChecked(uhf_, e.uhfRadio);
    WriteChecked(dialup_, e.dialupModem);
    WriteChecked(leased_, e.leasedLineModem);
    WriteChecked(lowPowerTransmitter_, e.lowPowerTransmitter);
    WriteChecked(lowPowerReceiver_, e.lowPowerReceiver);

    const NetworkEnabling rules = NetworkRules(e, current);
    for (QWidget* w : radioFields_) WriteEnabled(w, rules.radioFields);
    WriteEnabled(preTransmit_, rules.preTransmit);
    WriteEnabled(interval_, rules.transmitInterval);
    WriteEnabled(alarm_, rules.alarmDelay);
    WriteShown(help_, rules.helpText);
    WriteShown(intervalMinutes_, rules.intervalMinutesLabel);
    WriteShown(alarmMinutes_, rules.alarmMinutesLabel);
    wizard_->Suppress(!current);
}

void NetworkPage::Tick() { wizard_->Tick(); }

} // namespace mnm::editor
