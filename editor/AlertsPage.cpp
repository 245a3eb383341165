#include "editor/AlertsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/StatusIcon.h"
#include "controls/UpDown.h"
#include "editor/AlertDelegate.h"
#include "editor/EntryListModel.h"
#include "editor/EntryListView.h"
#include "editor/ModulesTree.h"
#include "editor/PageControls.h"
#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "editor/model/AlertRow.h"
#include "editor/model/PageRules.h"
#include "reports/ModalHost.h"

namespace mnm::editor {

namespace {

enum Id {
    kTreeLabel = 1023, kTree = 13003, kListLabel = 1022, kList = 9005, kRemove = 4026, kUp = 4005, kDown = 4006,
    kAdd = 4027, kIfLabel = 1017, kDirection = 21007, kEndpoint = 8034, kDigitalCondition = 21008,
    kAnalogCondition = 21010, kLimit = 8032, kUnits = 21011, kSendLabel = 1005, kMessagePage = 22004,
    kMessageTurn = 17003, kMessage = 8007, kCharacters = 22002, kToLabel = 1018, kTelephonePage = 22003,
    kTelephoneTurn = 17002, kTelephone = 8006, kResetWhenOver = 1020, kResetWhenUnder = 1021, kHysteresis = 8005,
    kHysteresisUnits = 1019, kTelephonePicture = 18006,
};
constexpr int kTelephoneIcon = 12010;
constexpr int kPictureSide = 20;

// Positions in the lists, as AlertInput counts them.
constexpr int kInput = 0, kOutput = 1;
constexpr int kPercentUnit = 2;
constexpr int kFirst = 0;

constexpr int kEndpointCharacters = 8;
constexpr int kValueCharacters = 7;
constexpr int kCounterCharacters = 4;
constexpr int kEditFrame = 12; // an edit's frame and margins beside its text

// Chooses an entry without raising the box's signals.
void Choose(QComboBox* box, int index)
{
    if (index >= 0 && index < box->count()) WriteText(box, Held(box->itemText(index)));
}

QLabel* Counter(int id, const QString& name, QWidget* parent)
{
    QLabel* label = PlainLabel("1", id, parent);
    label->setAccessibleName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(kCounterCharacters, '0')));
    return label;
}

int EditWidth(const QWidget* edit, int characters)
{
    return edit->fontMetrics().horizontalAdvance(QString(characters, '0')) + kEditFrame;
}

} // namespace

AlertsPage::AlertsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("SmsPage");
    tree_ = Named(new ModulesTree(kSmsTreeMask, this), kTree);
    QLabel* treeLabel = BuddyLabel(tr("&Modules Available"), kTreeLabel, tree_, this);

    model_ = new EntryListModel({[this] { return static_cast<int>(host_.Contents().alerts.lines.size()); },
                                 [this](int row) { return host_.Contents().alerts.lines[row]; },
                                 [](const std::string& line) { return SpokenAlertRow(line); }},
                                this);
    list_ = Named(new EntryListView(model_, tr("Alerts Setup"), this), kList);
    list_->setItemDelegate(new AlertDelegate(list_));
    QLabel* listLabel = BuddyLabel(tr("&Alerts Setup"), kListLabel, list_, this);
    auto* remove = Named(new QPushButton(tr("Remo&ve"), this), kRemove);
    auto* up = Named(new QPushButton(tr("&Up"), this), kUp);
    auto* down = Named(new QPushButton(tr("Do&wn"), this), kDown);
    auto* add = Named(new QPushButton(tr("&Add"), this), kAdd);

    // The sentence: "If" Input D1.2 turns ON "send" 1 "to" 2.
    direction_ = DropDown(kDirection, {tr("Input"), tr("Output")}, tr("Input or Output"), this);
    endpoint_ = Named(new QLineEdit(this), kEndpoint);
    endpoint_->setAccessibleName(tr("Endpoint"));
    digitalCondition_ =
        DropDown(kDigitalCondition, {tr("changes state"), tr("turns ON"), tr("turns OFF")}, tr("Condition"), this);
    analogCondition_ = DropDown(kAnalogCondition,
                            {tr("changes by"), tr("increases by"), tr("decreases by"), tr("goes over"), tr("goes under")},
                            tr("Condition"), this);
    limit_ = Named(new QLineEdit(this), kLimit);
    limit_->setAccessibleName(tr("Limit"));
    units_ = DropDown(kUnits, {tr("mA"), tr("V"), tr("% FSD"), tr("/4096")}, tr("Units"), this);
    resetWhenOver_ = PlainLabel(tr("Hysteresis: Reset when it goes over"), kResetWhenOver, this);
    resetWhenUnder_ = PlainLabel(tr("Hysteresis: Reset when it goes under"), kResetWhenUnder, this);
    hysteresis_ = Named(new QLineEdit(this), kHysteresis);
    hysteresisUnits_ = PlainLabel(units_->currentText(), kHysteresisUnits, this);
    KeepPlaceWhenHidden({digitalCondition_, analogCondition_, limit_, units_, resetWhenOver_, resetWhenUnder_,
                         hysteresis_, hysteresisUnits_});

    messagePage_ = Counter(kMessagePage, tr("Message page"), this);
    messageTurn_ = Named(new controls::UpDown(this), kMessageTurn);
    messageTurn_->setAccessibleName(tr("Message page"));
    message_ = Named(new QLineEdit(this), kMessage);
    message_->setMaxLength(kSmsMessageLength);
    message_->setAccessibleName(tr("Message"));
    characters_ = Counter(kCharacters, tr("Characters in all messages"), this);
    telephonePage_ = Counter(kTelephonePage, tr("Telephone number page"), this);
    telephoneTurn_ = Named(new controls::UpDown(this), kTelephoneTurn);
    telephoneTurn_->setAccessibleName(tr("Telephone number page"));
    telephonePicture_ = Picture(kTelephonePicture, kTelephoneIcon, kTelephoneIcon, tr("Telephone"), kPictureSide, this);
    telephone_ = Named(new QLineEdit(this), kTelephone);
    telephone_->setMaxLength(kSmsNumberLength);
    telephone_->setAccessibleName(tr("Telephone number"));

    endpoint_->setMaximumWidth(EditWidth(endpoint_, kEndpointCharacters));
    limit_->setMaximumWidth(EditWidth(limit_, kValueCharacters));
    hysteresis_->setMaximumWidth(EditWidth(hysteresis_, kValueCharacters));

    // Columns: the sentence's words, the direction or page, the endpoint, the
    // condition, the limit and its units; the hysteresis stands under the limit.
    auto* sentence = new QGridLayout;
    sentence->addWidget(PlainLabel(tr("If"), kIfLabel, this), 0, 0);
    sentence->addWidget(direction_, 0, 1);
    sentence->addWidget(endpoint_, 0, 2);
    sentence->addWidget(digitalCondition_, 0, 3); // one place: only one shows
    sentence->addWidget(analogCondition_, 0, 3);
    sentence->addWidget(limit_, 0, 4);
    sentence->addWidget(units_, 0, 5);
    sentence->addWidget(resetWhenOver_, 1, 0, 1, 4, Qt::AlignRight);
    sentence->addWidget(resetWhenUnder_, 1, 0, 1, 4, Qt::AlignRight);
    sentence->addWidget(hysteresis_, 1, 4);
    sentence->addWidget(hysteresisUnits_, 1, 5);
    const auto page = [this](QLabel* number, controls::UpDown* turn) {
        auto* row = new QHBoxLayout;
        row->addWidget(number);
        row->addWidget(turn);
        row->addStretch();
        return row;
    };
    sentence->addWidget(PlainLabel(tr("send"), kSendLabel, this), 2, 0);
    sentence->addLayout(page(messagePage_, messageTurn_), 2, 1);
    sentence->addWidget(message_, 2, 2, 1, 5);
    sentence->addWidget(characters_, 2, 7);
    sentence->addWidget(PlainLabel(tr("to"), kToLabel, this), 3, 0);
    sentence->addLayout(page(telephonePage_, telephoneTurn_), 3, 1);
    auto* number = new QHBoxLayout;
    number->addWidget(telephonePicture_);
    number->addWidget(telephone_, 1);
    sentence->addLayout(number, 3, 2, 1, 5);
    // The width left over goes to the message and number, after the units.
    sentence->setColumnStretch(6, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {remove, up, down, add}) buttons->addWidget(b);
    buttons->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(list_, 1);
    right->addLayout(buttons);
    right->addLayout(sentence);
    PlaceTreeBeside(this, treeLabel, tree_, right);

    connect(tree_, &ModulesTree::Picked, this, &AlertsPage::Picked);
    connect(list_, &EntryListView::Picked, this, [this](int row) {
        host_.Browse([row](EditorContents& e) { e.alerts.selected = row; });
        CopyBack();
    });
    connect(endpoint_, &QLineEdit::textEdited, this, &AlertsPage::Rules);
    connect(analogCondition_, &QComboBox::activated, this, &AlertsPage::Rules);
    connect(units_, &QComboBox::activated, this, &AlertsPage::Rules);
    connect(add, &QPushButton::clicked, this, &AlertsPage::AddFromInputs);
    connect(remove, &QPushButton::clicked, this, [this] {
        host_.EditIfChanged([](EditorContents& e) { RemoveSelectedAlert(e.alerts); });
        CopyBack(); // the inputs show the alert that took its place, never the removed one
    });
    connect(up, &QPushButton::clicked, this,
            [this] { host_.EditIfChanged([](EditorContents& e) { MoveSelectedAlert(e.alerts, -1); }); });
    connect(down, &QPushButton::clicked, this,
            [this] { host_.EditIfChanged([](EditorContents& e) { MoveSelectedAlert(e.alerts, +1); }); });
    connect(message_, &QLineEdit::textEdited, this, [this](const QString& text) {
        host_.Edit([&](EditorContents& e) { e.smsMessages.SetEditText(Held(text)); });
    });
    connect(telephone_, &QLineEdit::textEdited, this, [this](const QString& text) {
        host_.Edit([&](EditorContents& e) { e.smsNumbers.SetEditText(Held(text)); });
    });
    connect(messageTurn_, &controls::UpDown::Stepped, this,
            [this](int delta) { host_.Browse([delta](EditorContents& e) { e.smsMessages.Turn(delta); }); });
    connect(telephoneTurn_, &controls::UpDown::Stepped, this,
            [this](int delta) { host_.Browse([delta](EditorContents& e) { e.smsNumbers.Turn(delta); }); });
    Reset();
}

void AlertsPage::Reset()
{
    for (QComboBox* box : {direction_, digitalCondition_, analogCondition_, units_}) Choose(box, kFirst);
    for (QLineEdit* edit : {endpoint_, limit_, hysteresis_}) WriteText(edit, {});
}

void AlertsPage::ShowModules(const NodeStaticData* data) { tree_->Fill(data); }

void AlertsPage::Rules()
{
    host_.RefreshAll();
}

void AlertsPage::Picked(std::uint32_t item)
{
    const std::optional<ModulePick> pick = PickForSms(item);
    if (!pick) return; // a card or a group heading: no endpoint
    WriteText(endpoint_, pick->text);
    Choose(direction_, pick->output ? kOutput : kInput);
    Choose(digitalCondition_, kFirst);
    Choose(analogCondition_, kFirst);
    WriteText(limit_, {});
    WriteText(hysteresis_, {});
    Choose(units_, kPercentUnit);
    // Saved first: what was typed on the pages shown stays on them.
    host_.Browse([](EditorContents& e) {
        e.smsMessages.SetPage(1, true);
        e.smsNumbers.SetPage(1, true);
    });
}

AlertInput AlertsPage::Inputs() const
{
    AlertInput in;
    in.endpoint = Held(endpoint_->text());
    in.direction = direction_->currentIndex();
    in.digitalCondition = digitalCondition_->currentIndex();
    in.analogCondition = analogCondition_->currentIndex();
    in.unit = units_->currentIndex();
    in.limit = Held(limit_->text());
    in.hysteresis = Held(hysteresis_->text());
    return in;
}

void AlertsPage::AddFromInputs()
{
    const AlertInput in = Inputs();
    std::string fault;
    host_.EditIfChanged([&](EditorContents& e) { fault = AddAlertFromControls(e, in); });
    if (!fault.empty())
        reports::Modal().Ask(this, QMessageBox::Warning, tr("Error Adding Alert"), Shown(fault), QMessageBox::Ok,
                             QMessageBox::Ok);
}

void AlertsPage::CopyBack()
{
    AlertInput in = Inputs();
    bool copied = false;
    // The alert's message and number pages are turned to (the pages left are kept).
    host_.Browse([&](EditorContents& e) { copied = CopyBackAlert(e, in); });
    if (!copied) return;
    WriteText(endpoint_, in.endpoint);
    Choose(direction_, in.direction);
    Choose(digitalCondition_, in.digitalCondition);
    Choose(analogCondition_, in.analogCondition);
    Choose(units_, in.unit);
    WriteText(limit_, in.limit);
    WriteText(hysteresis_, in.hysteresis);
    Rules();
}

void AlertsPage::Refresh(bool /*current*/)
{
    const EditorContents& e = host_.Contents();
    model_->Refresh();
    list_->ShowSelection(e.alerts.selected);
    WriteText(message_, e.smsMessages.EditText());
    WriteText(telephone_, e.smsNumbers.EditText());
    const SmsCounters counters = Counters(e);
    messagePage_->setText(QString::number(counters.messagePage));
    telephonePage_->setText(QString::number(counters.telephonePage));
    characters_->setText(QString::number(counters.characters));

    const AlertPageRules rules = AlertRulesFor(Held(endpoint_->text()), analogCondition_->currentIndex());
    WriteShown(digitalCondition_, rules.showDigitalConditions);
    WriteShown(analogCondition_, rules.showAnalogConditions);
    WriteShown(limit_, rules.showLimit);
    WriteShown(units_, rules.showUnits);
    WriteShown(resetWhenOver_, rules.showResetWhenOver);
    WriteShown(resetWhenUnder_, rules.showResetWhenUnder);
    WriteShown(hysteresis_, rules.showHysteresis);
    WriteShown(hysteresisUnits_, rules.showUnitsLabel);
    hysteresisUnits_->setText(units_->currentText());
    // The hysteresis edit is named by the label shown beside it.
    const QString hysteresisName = (rules.showResetWhenUnder ? resetWhenUnder_ : resetWhenOver_)->text();
    if (hysteresis_->accessibleName() != hysteresisName) hysteresis_->setAccessibleName(hysteresisName);
}

} // namespace mnm::editor
