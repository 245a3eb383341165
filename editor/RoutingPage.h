// The Routing page: the primary and secondary routing tables, and the edits
// that add an entry to the chosen one.
#pragma once

#include <QWidget>

#include "editor/model/PageRules.h"
#include "editor/model/RoutingList.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QVBoxLayout;

namespace mnm::editor {

class EntryListModel;
class EntryListView;
class PageHost;
class RoutingHeader;
class TelephoneBlock;

class RoutingPage : public QWidget {
    Q_OBJECT
public:
    RoutingPage(PageHost& host, QWidget* parent = nullptr);

    // A new or loaded configuration: Primary and Repeater Node chosen, the edits empty.
    void Reset();
    void Refresh(bool current);
    // The telephone-number block stands beside the Telephone choice.
    void HoldTelephoneBlock(TelephoneBlock* block);
    bool TelephoneChosen() const;
    EntryListView* ShownList() const;
    RoutingHeader* Header() const { return header_; }

private:
    RoutingList EditorContents::*Chosen() const;
    void Add();
    void Remove();
    void Picked(RoutingList EditorContents::*table, int row);
    // The table's selected entry into the edits.
    void CopyBack(RoutingList EditorContents::*table);
    void PlaceHeaders();

    PageHost& host_;
    RoutingHeader* header_;
    QStackedWidget* lists_;
    EntryListModel* primaryModel_;
    EntryListModel* secondaryModel_;
    EntryListView* primary_;
    EntryListView* secondary_;
    QRadioButton* primaryChoice_;
    QRadioButton* secondaryChoice_;
    QLineEdit* destination_;
    QRadioButton* repeaterChoice_;
    QLineEdit* repeater_;
    QRadioButton* telephoneChoice_;
    QVBoxLayout* blockSlot_;
    QPushButton* add_;
    QPushButton* remove_;
};

} // namespace mnm::editor
