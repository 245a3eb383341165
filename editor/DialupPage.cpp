#include "editor/DialupPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/StatusIcon.h"
#include "editor/DialupDelegate.h"
#include "editor/EntryListModel.h"
#include "editor/EntryListView.h"
#include "editor/ModulesTree.h"
#include "editor/PageControls.h"
#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "editor/model/DialupList.h"
#include "editor/model/DialupRow.h"
#include "editor/model/ModulesTree.h"
#include "reports/ErrorReport.h"

namespace mnm::editor {

namespace {

enum Id {
    kPercent = 26001, kChangePicture = 26003, kIntervalPicture = 26004, kDirection = 26005, kLocal = 26006,
    kOffset = 26007, kPpm = 26008, kOffsetLabel = 26009, kPpmLabel = 26010, kArrow = 26011, kTreeLabel = 26012,
    kIntervalBox = 26013, kChangeBox = 26014, kRemote = 26016, kTree = 26017, kListLabel = 26018, kList = 26019,
    kAdd = 26020, kThreshold = 26021, kRoute = 26022, kInterval = 26023, kMinutes = 26024, kRemove = 26025,
};
enum Icon { kArrowIcon = 12001, kIntervalIcon = 12005, kChangeIcon = 12009 };
enum Route { kPrimary = 0, kSecondary = 1 };
enum Direction { kInput = 0, kOutput = 1 };
constexpr int kPictureSide = 20;
constexpr int kShortEditCharacters = 6;

} // namespace

DialupPage::DialupPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("DialupPage");
    model_ = new EntryListModel({[this] { return DialupCount(host_.Contents().dialups); },
                                 [this](int row) {
                                     DialupConnection c{};
                                     GetDialup(host_.Contents().dialups, row, c);
                                     return DialupViewLine(c);
                                 },
                                 [](const std::string& line) {
                                     DialupConnection c{};
                                     return ReadDialupViewLine(line, c) ? SpokenDialupRow(c) : std::string();
                                 }},
                                this);
    list_ = Named(new EntryListView(model_, tr("Connections Made"), this), kList);
    list_->setItemDelegate(new DialupDelegate(list_));
    auto* listLabel = Named(new QLabel(tr("Connec&tions Made"), this), kListLabel);
    listLabel->setBuddy(list_);
    tree_ = Named(new ModulesTree(kDialupTreeMask, this), kTree);
    auto* treeLabel = Named(new QLabel(tr("&Modules Available"), this), kTreeLabel);
    treeLabel->setBuddy(tree_);

    route_ = DropDown(kRoute, {"Primary", "Secondary"}, tr("Primary or secondary connection"), this);
    direction_ = DropDown(kDirection, {"Input", "Output"}, tr("Local input or output"), this);
    local_ = Named(new QLineEdit(this), kLocal);
    local_->setAccessibleName(tr("Local endpoint"));
    auto* arrow = Picture(kArrow, kArrowIcon, kArrowIcon, tr("to"), kPictureSide, this);
    remote_ = Named(new QLineEdit(this), kRemote);
    remote_->setAccessibleName(tr("Remote endpoint"));
    auto* add = Named(new QPushButton("+", this), kAdd);
    add->setAccessibleName(tr("Add"));
    add->setToolTip(tr("Add the connection"));
    auto* remove = Named(new QPushButton(tr("&Remove"), this), kRemove);

    intervalPicture_ = Picture(kIntervalPicture, kIntervalIcon, kIntervalIcon, tr("Interval"), kPictureSide, this);
    intervalBox_ = Named(new QCheckBox(this), kIntervalBox);
    intervalBox_->setAccessibleName(tr("Transmit every interval"));
    interval_ = Named(new QLineEdit(this), kInterval);
    interval_->setAccessibleName(tr("Interval"));
    minutes_ = PlainLabel("mn", kMinutes, this);
    changePicture_ = Picture(kChangePicture, kChangeIcon, kIntervalIcon, tr("Change"), kPictureSide, this);
    changeBox_ = Named(new QCheckBox(this), kChangeBox);
    changeBox_->setAccessibleName(tr("Transmit on change"));
    threshold_ = Named(new QLineEdit(this), kThreshold);
    threshold_->setAccessibleName(tr("Change threshold"));
    percent_ = PlainLabel("%", kPercent, this);
    ppm_ = Named(new QLineEdit(this), kPpm);
    ppmLabel_ = BuddyLabel(tr("&PPM"), kPpmLabel, ppm_, this);
    offset_ = Named(new QCheckBox(this), kOffset);
    offsetLabel_ = BuddyLabel(tr("4&mA"), kOffsetLabel, offset_, this);
    KeepPlaceWhenHidden({intervalPicture_, intervalBox_, interval_, minutes_, changePicture_, changeBox_, threshold_,
                         percent_, ppmLabel_, ppm_, offsetLabel_, offset_});
    const int shortWidth = threshold_->fontMetrics().horizontalAdvance(QString(kShortEditCharacters, '0')) + 12;
    for (QLineEdit* e : {interval_, threshold_, ppm_}) e->setMaximumWidth(shortWidth);

    auto* endpoints = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{route_, direction_, local_, arrow, remote_, add, remove})
        endpoints->addWidget(w);
    auto* conditions = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{intervalPicture_, intervalBox_, interval_, minutes_,
                                                       changePicture_, changeBox_, threshold_, percent_, ppmLabel_,
                                                       ppm_, offsetLabel_, offset_})
        conditions->addWidget(w);
    conditions->addStretch();
    blockSlot_ = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(list_, 1);
    right->addLayout(endpoints);
    right->addLayout(conditions);
    right->addLayout(blockSlot_);
    PlaceTreeBeside(this, treeLabel, tree_, right);

    const auto rules = [this] { host_.RefreshAll(); };
    for (QLineEdit* e : {local_, remote_, interval_}) connect(e, &QLineEdit::textEdited, this, rules);
    for (QCheckBox* b : {intervalBox_, changeBox_}) connect(b, &QCheckBox::clicked, this, rules);
    connect(route_, &QComboBox::activated, this, rules);
    connect(add, &QPushButton::clicked, this, &DialupPage::Add);
    connect(remove, &QPushButton::clicked, this, [this] {
        // A primary still followed by its secondaries stays: nothing changes then.
        host_.EditIfChanged([](EditorContents& e) { RemoveDialup(e.dialups); });
        CopyBack();
    });
    connect(tree_, &ModulesTree::Picked, this, &DialupPage::Picked);
    connect(list_, &EntryListView::Picked, this, [this](int row) {
        host_.Browse([row](EditorContents& e) { e.dialups.selected = row; });
        CopyBack();
    });
}

void DialupPage::Reset()
{
    for (QLineEdit* e : {local_, remote_, interval_, threshold_, ppm_}) e->clear();
    for (QCheckBox* b : {intervalBox_, changeBox_, offset_}) WriteChecked(b, false);
    route_->setCurrentIndex(kPrimary);
    direction_->setCurrentIndex(kInput);
}

void DialupPage::ShowModules(const NodeStaticData* data) { tree_->Fill(data); }

void DialupPage::HoldTelephoneBlock(QWidget* block) { blockSlot_->addWidget(block); }

bool DialupPage::PrimaryChosen() const { return route_->currentIndex() == kPrimary; }

DialupInput DialupPage::Controls() const
{
    DialupInput in;
    in.route = route_->currentIndex() == kSecondary ? 1 : 0;
    in.direction = direction_->currentIndex() == kOutput ? 1 : 0;
    in.local = Held(local_->text());
    in.remote = Held(remote_->text());
    in.leasedLine = host_.Contents().leasedLineModem;
    in.telephonePage = host_.Contents().dialupNumbers.CurrentPage();
    in.intervalTicked = intervalBox_->isChecked();
    in.interval = Held(interval_->text());
    in.changeTicked = changeBox_->isChecked();
    in.threshold = Held(threshold_->text());
    in.maxPpm = Held(ppm_->text());
    in.offset4mA = offset_->isChecked();
    return in;
}

void DialupPage::Add()
{
    const DialupInput in = Controls();
    DialupAddResult result;
    host_.EditIfChanged([&](EditorContents& e) { result = AddDialupFromControls(e.dialups, in); });
    if (!result.title.empty()) reports::ShowTextReport(Shown(result.message), Shown(result.title), this);
}

void DialupPage::Picked(std::uint32_t item)
{
    const std::optional<ModulePick> pick = PickForDialup(item);
    if (!pick) return;
    local_->setText(Shown(pick->text));
    direction_->setCurrentIndex(pick->output ? kOutput : kInput);
    remote_->clear();
    WriteChecked(intervalBox_, false);
    WriteChecked(changeBox_, false);
    host_.RefreshAll();
}

void DialupPage::CopyBack()
{
    DialupConnection c{};
    if (GetDialup(host_.Contents().dialups, host_.Contents().dialups.selected, c) != 0) return;
    DialupInput in = Controls();
    CopyBackDialup(c, in);
    route_->setCurrentIndex(in.route == 1 ? kSecondary : kPrimary);
    direction_->setCurrentIndex(in.direction == 1 ? kOutput : kInput);
    local_->setText(Shown(in.local));
    remote_->setText(Shown(in.remote));
    interval_->setText(Shown(in.interval));
    threshold_->setText(Shown(in.threshold));
    ppm_->setText(Shown(in.maxPpm));
    WriteChecked(intervalBox_, in.intervalTicked);
    WriteChecked(changeBox_, in.changeTicked);
    WriteChecked(offset_, in.offset4mA);
    const int page = in.telephonePage;
    const bool dialled = c.telephone >= 1 && c.telephone != kDialLeasedLine;
    host_.Browse([page, dialled](EditorContents& e) {
        if (dialled) e.dialupNumbers.SetPage(page, true); // the number it dials shows in the block
    });
}

void DialupPage::Refresh(bool current)
{
    model_->Refresh();
    list_->ShowSelection(host_.Contents().dialups.selected);
    if (!current) return;
    const DialupPageRules rules = DialupRulesFor(Controls());
    for (QWidget* w : std::initializer_list<QWidget*>{intervalPicture_, intervalBox_, interval_})
        WriteShown(w, rules.showInterval);
    WriteEnabled(intervalBox_, rules.intervalBoxEnabled);
    WriteEnabled(interval_, rules.intervalEditEnabled);
    WriteShown(minutes_, rules.showMinutesLabel);
    WriteEnabled(minutes_, rules.minutesLabelEnabled);
    WriteShown(changeBox_, rules.showChangeBox);
    WriteShown(changePicture_, rules.showChangeBox);
    WriteShown(threshold_, rules.showThreshold);
    WriteEnabled(threshold_, rules.thresholdEnabled);
    WriteShown(percent_, rules.showPercent);
    for (QWidget* w : std::initializer_list<QWidget*>{ppmLabel_, ppm_, offsetLabel_, offset_})
        WriteShown(w, rules.showPulseControls);
}

} // namespace mnm::editor
