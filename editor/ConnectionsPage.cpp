#include "editor/ConnectionsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/StatusIcon.h"
#include "editor/ConnectionDelegate.h"
#include "editor/EntryListModel.h"
#include "editor/EntryListView.h"
#include "editor/ModulesTree.h"
#include "editor/PageControls.h"
#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "editor/model/ConnectionList.h"
#include "editor/model/ConnectionRow.h"
#include "nodeconf/ErrorCatalogue.h"
#include "reports/ModalHost.h"
#include "resources/Pictures.h"

namespace mnm::editor {

namespace {

enum Id {
    kList = 9003, kInput = 8020, kArrow = 16002, kOutput = 8021, kOnChange = 7009, kChangePicture = 18001,
    kThreshold = 8010, kPercent = 3008, kMaxPpm = 8001, kMaxPpmLabel = 1015, kOffset = 7001, kOffsetLabel = 1016,
    kRemove = 4016, kConnect = 4017, kTree = 13002,
};
constexpr int kDeltaIcon = 12008;
constexpr int kArrowSide = 12;
constexpr int kShortEditCharacters = 6;

} // namespace

ConnectionsPage::ConnectionsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("ConnectionsPage");
    model_ = new EntryListModel({[this] { return static_cast<int>(host_.Contents().connections.lines.size()); },
                                 [this](int row) { return host_.Contents().connections.lines[row]; },
                                 [](const std::string& line) { return SpokenConnectionRow(line); }},
                                this);
    list_ = Named(new EntryListView(model_, tr("Connections Made"), this), kList);
    list_->setItemDelegate(new ConnectionDelegate(list_));
    auto* listLabel = new QLabel(tr("Connec&tions Made"), this);
    listLabel->setBuddy(list_);

    input_ = Named(new QLineEdit(this), kInput);
    output_ = Named(new QLineEdit(this), kOutput);
    auto* arrow = Named(new QLabel(this), kArrow);
    arrow->setPixmap(resources::RenderPicture("CONNLBIconArrow", {kArrowSide, kArrowSide}, devicePixelRatioF()));
    arrow->setAccessibleName(tr("to"));
    onChange_ = Named(new QCheckBox(tr("On c&hange"), this), kOnChange);
    changePicture_ = Picture(kChangePicture, kDeltaIcon, kDeltaIcon, tr("On change"), kArrowSide * 2, this);
    threshold_ = Named(new QLineEdit(this), kThreshold);
    threshold_->setAccessibleName(tr("Change threshold"));
    percent_ = PlainLabel("%", kPercent, this);
    maxPpm_ = Named(new QLineEdit(this), kMaxPpm);
    maxPpmLabel_ = BuddyLabel(tr("Max. &PPM"), kMaxPpmLabel, maxPpm_, this);
    offset_ = Named(new QCheckBox(this), kOffset);
    offsetLabel_ = BuddyLabel(tr("Off&set"), kOffsetLabel, offset_, this);
    const int shortWidth = threshold_->fontMetrics().horizontalAdvance(QString(kShortEditCharacters, '0')) + 12;
    for (QLineEdit* e : {threshold_, maxPpm_}) e->setMaximumWidth(shortWidth);
    auto* connect = Named(new QPushButton(tr("&Connect"), this), kConnect);
    auto* remove = Named(new QPushButton(tr("&Remove"), this), kRemove);

    auto* edits = new QGridLayout;
    edits->addWidget(BuddyLabel(tr("&Input"), 0, input_, this), 0, 0);
    edits->addWidget(input_, 0, 1);
    edits->addWidget(arrow, 0, 2);
    edits->addWidget(BuddyLabel(tr("&Output"), 0, output_, this), 0, 3);
    edits->addWidget(output_, 0, 4);
    auto* conditions = new QHBoxLayout;
    conditions->addWidget(onChange_);
    conditions->addWidget(changePicture_);
    conditions->addWidget(threshold_);
    conditions->addWidget(percent_);
    conditions->addSpacing(shortWidth / 2);
    conditions->addWidget(maxPpmLabel_);
    conditions->addWidget(maxPpm_);
    conditions->addWidget(offsetLabel_);
    conditions->addWidget(offset_);
    conditions->addStretch();
    edits->addLayout(conditions, 1, 0, 1, 5);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(connect);
    buttons->addWidget(remove);
    buttons->addStretch();
    edits->addLayout(buttons, 2, 0, 1, 5);

    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(list_, 1);
    right->addLayout(edits);
    tree_ = Named(new ModulesTree(kConnectionsTreeMask, this), kTree);
    auto* treeLabel = new QLabel(tr("&Modules Available"), this);
    treeLabel->setBuddy(tree_);
    PlaceTreeBeside(this, treeLabel, tree_, right);

    const auto rules = [this] { host_.RefreshAll(); };
    QObject::connect(input_, &QLineEdit::textEdited, this, rules);
    QObject::connect(output_, &QLineEdit::textEdited, this, rules);
    QObject::connect(onChange_, &QCheckBox::clicked, this, rules);
    QObject::connect(connect, &QPushButton::clicked, this, &ConnectionsPage::ConnectFromEdits);
    QObject::connect(remove, &QPushButton::clicked, this, [this] {
        host_.Edit([](EditorContents& e) { RemoveSelectedConnection(e.connections); });
        CopyBack();
    });
    QObject::connect(tree_, &ModulesTree::Picked, this, &ConnectionsPage::Picked);
    QObject::connect(list_, &EntryListView::Picked, this, [this](int row) {
        host_.Browse([row](EditorContents& e) { e.connections.selected = row; });
        CopyBack();
    });
}

void ConnectionsPage::Reset()
{
    for (QLineEdit* e : {input_, output_, threshold_, maxPpm_}) e->clear();
    WriteChecked(onChange_, false);
    WriteChecked(offset_, false);
}

void ConnectionsPage::ShowModules(const NodeStaticData* data) { tree_->Fill(data); }

void ConnectionsPage::Picked(std::uint32_t item)
{
    const std::optional<ModulePick> pick = PickForConnections(item);
    if (!pick) return; // a card, or an output: nothing to connect from
    input_->setText(Shown(pick->text));
    output_->clear();
    host_.RefreshAll();
}

ConnectionInput ConnectionsPage::Edits() const
{
    ConnectionInput in;
    in.input = Held(input_->text());
    in.output = Held(output_->text());
    in.onChange = onChange_->isChecked();
    in.percentage = Held(threshold_->text());
    in.maxPpm = Held(maxPpm_->text());
    in.offset = offset_->isChecked();
    return in;
}

void ConnectionsPage::ConnectFromEdits()
{
    const ConnectionInput in = Edits();
    int code = 0;
    // Members of a range added before a failure stay, and count as an edit.
    host_.EditIfChanged([&](EditorContents& e) { code = Connect(e.connections, in); });
    if (code != 0)
        reports::Modal().Ask(this, QMessageBox::Critical, QString::fromLatin1(AddConnectionBoxTitle(code)),
                             Shown(AddConnectionMessage(code)), QMessageBox::Ok, QMessageBox::Ok);
}

void ConnectionsPage::CopyBack()
{
    ConnectionInput edits = Edits();
    if (!CopyBackConnection(host_.Contents().connections, edits)) return;
    input_->setText(Shown(edits.input));
    output_->setText(Shown(edits.output));
    threshold_->setText(Shown(edits.percentage));
    maxPpm_->setText(Shown(edits.maxPpm));
    WriteChecked(onChange_, edits.onChange);
    WriteChecked(offset_, edits.offset);
    host_.RefreshAll();
}

void ConnectionsPage::Refresh(bool current)
{
    model_->Refresh();
    list_->ShowSelection(host_.Contents().connections.selected);
    const ConnectionFieldRules rules = ConnectionFieldsFor(Edits(), current);
    WriteShown(onChange_, rules.showChangeBox);
    WriteShown(changePicture_, rules.showChangeBox);
    WriteShown(threshold_, rules.showThreshold);
    WriteEnabled(threshold_, rules.thresholdEnabled);
    WriteShown(percent_, rules.showPercent);
    for (QWidget* w : std::initializer_list<QWidget*>{maxPpmLabel_, maxPpm_, offsetLabel_, offset_})
        WriteShown(w, rules.showPulseControls);
}

} // namespace mnm::editor
