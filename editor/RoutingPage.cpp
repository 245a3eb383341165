#include "editor/RoutingPage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "editor/EntryListModel.h"
#include "editor/EntryListView.h"
#include "editor/PageControls.h"
#include "editor/PageHost.h"
#include "editor/RoutingDelegate.h"
#include "editor/RoutingHeader.h"
#include "editor/TelephoneBlock.h"
#include "editor/WidgetWrites.h"
#include "editor/model/ListColumns.h"
#include "reports/ModalHost.h"

namespace mnm::editor {

namespace {

enum Id {
    kPrimaryList = 9001, kSecondaryList = 9002, kPrimary = 6001, kSecondary = 6002, kDestinationLabel = 3003,
    kDestination = 8014, kRoutingLabel = 3009, kRepeater = 6015, kRepeaterNode = 8016, kTelephone = 6016,
    kAdd = 4009, kRemove = 4013,
};

constexpr int kEditCharacters = 6;

} // namespace

RoutingPage::RoutingPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("RoutingPage");
    const auto makeList = [this](RoutingList EditorContents::*table, int id, const QString& name,
                                 EntryListModel*& model) {
        model = new EntryListModel({[this, table] { return static_cast<int>((host_.Contents().*table).words.size()); },
                                    [this, table](int row) { return RoutingLine((host_.Contents().*table).words[row]); },
                                    [](const std::string& line) {
                                        return SpokenRow(ShownRoutingLine(line), kRoutingColumnEdges - 1,
                                                         RoutingIconWord);
                                    }},
                                   this);
        auto* view = Named(new EntryListView(model, name, this), id);
        view->setItemDelegate(new RoutingDelegate([this, table] { return HasMetric(host_.Contents().*table); }, view));
        connect(view, &EntryListView::Picked, this, [this, table](int row) { Picked(table, row); });
        connect(view, &EntryListView::RowWidthChanged, this, &RoutingPage::PlaceHeaders);
        return view;
    };
    primary_ = makeList(&EditorContents::primaryRoutes, kPrimaryList, tr("Primary routing table"), primaryModel_);
    secondary_ =
        makeList(&EditorContents::secondaryRoutes, kSecondaryList, tr("Secondary routing table"), secondaryModel_);
    header_ = new RoutingHeader(this);
    lists_ = new QStackedWidget(this);
    lists_->addWidget(primary_);
    lists_->addWidget(secondary_);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(header_);
    left->addWidget(lists_, 1);

    primaryChoice_ = Named(new QRadioButton(tr("&Primary"), this), kPrimary);
    secondaryChoice_ = Named(new QRadioButton(tr("S&econdary"), this), kSecondary);
    destination_ = Named(new QLineEdit(this), kDestination);
    repeaterChoice_ = Named(new QRadioButton(tr("&Repeater Node"), this), kRepeater);
    repeater_ = Named(new QLineEdit(this), kRepeaterNode);
    repeater_->setAccessibleName(tr("Repeater Node"));
    telephoneChoice_ = Named(new QRadioButton(tr("Tele&phone"), this), kTelephone);
    add_ = Named(new QPushButton(tr("&Add"), this), kAdd);
    remove_ = Named(new QPushButton(tr("&Remove"), this), kRemove);
    const int editWidth = destination_->fontMetrics().horizontalAdvance(QString(kEditCharacters, '0')) + 12;
    destination_->setMaximumWidth(editWidth);
    repeater_->setMaximumWidth(editWidth);
    for (auto pair : {std::pair{primaryChoice_, secondaryChoice_}, std::pair{repeaterChoice_, telephoneChoice_}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(pair.first);
        group->addButton(pair.second);
    }

    // The choices and edits in one compact column; what is left of the width goes to the lists.
    auto* right = new QGridLayout;
    auto* tables = new QHBoxLayout;
    tables->addWidget(primaryChoice_);
    tables->addWidget(secondaryChoice_);
    tables->addStretch();
    right->addLayout(tables, 0, 0, 1, 3);
    right->addWidget(BuddyLabel(tr("&Destination"), kDestinationLabel, destination_, this), 1, 0);
    right->addWidget(destination_, 1, 1);
    right->addWidget(BuddyLabel(tr("Ro&uting"), kRoutingLabel, repeaterChoice_, this), 2, 0, 1, 3);
    right->addWidget(repeaterChoice_, 3, 0);
    right->addWidget(repeater_, 3, 1);
    right->addWidget(telephoneChoice_, 4, 0, 1, 3);
    blockSlot_ = new QVBoxLayout;
    blockSlot_->setContentsMargins(editWidth / 4, 0, 0, 0); // a little in, under the Telephone choice
    right->addLayout(blockSlot_, 5, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    right->addLayout(buttons, 6, 0, 1, 3);
    right->setColumnStretch(2, 1);
    right->setRowStretch(7, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    for (QRadioButton* choice : {primaryChoice_, secondaryChoice_, repeaterChoice_, telephoneChoice_})
        connect(choice, &QRadioButton::clicked, this, [this] { host_.RefreshAll(); });
    connect(add_, &QPushButton::clicked, this, &RoutingPage::Add);
    connect(remove_, &QPushButton::clicked, this, &RoutingPage::Remove);
    Reset();
}

void RoutingPage::Reset()
{
    WriteChecked(primaryChoice_, true);
    WriteChecked(repeaterChoice_, true);
    destination_->clear();
    repeater_->clear();
}

RoutingList EditorContents::*RoutingPage::Chosen() const
{
    return secondaryChoice_->isChecked() ? &EditorContents::secondaryRoutes : &EditorContents::primaryRoutes;
}

void RoutingPage::Add()
{
    std::string fault;
    host_.Edit([&](EditorContents& e) {
        RouteEdits edits;
        edits.destination = Held(destination_->text());
        edits.telephoneChosen = telephoneChoice_->isChecked();
        edits.repeater = Held(repeater_->text());
        edits.leasedLine = e.leasedLineModem;
        edits.telephonePage = e.dialupNumbers.CurrentPage();
        RoutingList* chosen = primaryChoice_->isChecked()     ? &e.primaryRoutes
                              : secondaryChoice_->isChecked() ? &e.secondaryRoutes
                                                              : nullptr;
        fault = AddRouteFromEdits(chosen, edits);
    });
    if (!fault.empty())
        reports::Modal().Ask(this, QMessageBox::NoIcon, QString(), Shown(fault), QMessageBox::Ok, QMessageBox::Ok);
}

void RoutingPage::Picked(RoutingList EditorContents::*table, int row)
{
    host_.Browse([&](EditorContents& e) { (e.*table).selected = row; });
    CopyBack(table);
}

void RoutingPage::CopyBack(RoutingList EditorContents::*table)
{
    RouteEdits edits;
    host_.Browse([&](EditorContents& e) {
        CopyBackRoute(e.*table, edits);
        if (edits.telephoneChosen && !e.leasedLineModem && edits.telephonePage >= 1)
            e.dialupNumbers.SetPage(edits.telephonePage, true);
    });
    destination_->setText(Shown(edits.destination));
    repeater_->setText(Shown(edits.repeater));
    if (!edits.destination.empty()) WriteChecked(edits.telephoneChosen ? telephoneChoice_ : repeaterChoice_, true);
    host_.RefreshAll(); // the choice decides the block's enabling
}

void RoutingPage::HoldTelephoneBlock(TelephoneBlock* block)
{
    blockSlot_->addWidget(block);
    // A widget moved here joins the end of the tab order: it goes back beside the Telephone choice.
    QWidget* previous = telephoneChoice_;
    for (QWidget* input : block->Inputs()) {
        setTabOrder(previous, input);
        previous = input;
    }
    setTabOrder(previous, add_);
    setTabOrder(add_, remove_);
}

void RoutingPage::Remove()
{
    const auto table = Chosen();
    host_.Edit([table](EditorContents& e) { RemoveSelectedRoute(e.*table); });
    // The row that took the removed one's place is selected: the edits show it.
    CopyBack(table);
}

bool RoutingPage::TelephoneChosen() const { return telephoneChoice_->isChecked(); }

EntryListView* RoutingPage::ShownList() const { return secondaryChoice_->isChecked() ? secondary_ : primary_; }

void RoutingPage::Refresh(bool current)
{
    const EditorContents& e = host_.Contents();
    const RoutingPageRules rules =
        RoutingRulesFor(e, current, secondaryChoice_->isChecked(), telephoneChoice_->isChecked());
    // Without a modem there is no modem route to choose.
    WriteEnabled(telephoneChoice_, rules.telephoneChoiceEnabled);
    if (!rules.telephoneChoiceEnabled) WriteChecked(repeaterChoice_, true);
    if (telephoneChoice_->text() != Shown(rules.telephoneChoiceText))
        telephoneChoice_->setText(Shown(rules.telephoneChoiceText));
    WriteEnabled(repeater_, !telephoneChoice_->isChecked());

    primaryModel_->Refresh();
    secondaryModel_->Refresh();
    primary_->ShowSelection(e.primaryRoutes.selected);
    secondary_->ShowSelection(e.secondaryRoutes.selected);
    lists_->setCurrentWidget(ShownList());
    PlaceHeaders();
}

void RoutingPage::PlaceHeaders()
{
    EntryListView* shown = ShownList();
    const RoutingList& list = shown == primary_ ? host_.Contents().primaryRoutes : host_.Contents().secondaryRoutes;
    const int left = shown->viewport()->mapTo(this, QPoint(0, 0)).x() - header_->x();
    header_->Place(HasMetric(list), left, shown->viewport()->width());
}

} // namespace mnm::editor
