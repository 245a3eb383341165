// The SMS page: the node's alerts, each read as a sentence ("If" input or
// output, endpoint, condition, limit, units "send" message "to" telephone
// number, with the hysteresis under it), and the paged message texts and
// telephone numbers the alerts send.
#pragma once

#include <QWidget>

#include <cstdint>

#include "nodeconf/AlertRule.h"
#include "nodeconf/NodeStaticData.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace mnm::controls {
class StatusIcon;
class UpDown;
}

namespace mnm::editor {

class EntryListModel;
class EntryListView;
class ModulesTree;
class PageHost;

class AlertsPage : public QWidget {
    Q_OBJECT
public:
    AlertsPage(PageHost& host, QWidget* parent = nullptr);

    // A new or loaded configuration: the lists back to their first entries, the edits empty.
    void Reset();
    // Shows the contents; the page's rules are the same whether it is shown (`current`) or not.
    void Refresh(bool current);
    // The connected node's cards and channels to pick an endpoint from (none: no node).
    void ShowModules(const NodeStaticData* data);
    EntryListView* List() const { return list_; }

private:
    AlertInput Inputs() const;
    void AddFromInputs();
    void CopyBack();
    // A channel picked from the modules tree: its endpoint with a fresh condition.
    void Picked(std::uint32_t item);
    void Rules();

    PageHost& host_;
    EntryListModel* model_;
    EntryListView* list_;
    ModulesTree* tree_;
    QComboBox* direction_;
    QLineEdit* endpoint_;
    QComboBox* digitalCondition_;
    QComboBox* analogCondition_;
    QLineEdit* limit_;
    QComboBox* units_;
    QLabel* messagePage_;
    controls::UpDown* messageTurn_;
    QLineEdit* message_;
    QLabel* characters_;
    QLabel* telephonePage_;
    controls::UpDown* telephoneTurn_;
    QLineEdit* telephone_;
    controls::StatusIcon* telephonePicture_;
    QLabel* resetWhenOver_;
    QLabel* resetWhenUnder_;
    QLineEdit* hysteresis_;
    QLabel* hysteresisUnits_;
};

} // namespace mnm::editor
