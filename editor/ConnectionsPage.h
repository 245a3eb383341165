// The Connections page: the node's connection table, and the edits that
// connect a local input (or a range of them) to an output.
#pragma once

#include <QWidget>

#include "nodeconf/ConnectionRule.h"
#include "nodeconf/NodeStaticData.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace mnm::controls {
class StatusIcon;
}

namespace mnm::editor {

class EntryListModel;
class EntryListView;
class ModulesTree;
class PageHost;

class ConnectionsPage : public QWidget {
    Q_OBJECT
public:
    ConnectionsPage(PageHost& host, QWidget* parent = nullptr);

    // A new or loaded configuration: the edits empty.
    void Reset();
    void Refresh(bool current);
    // The connected node's cards and channels to pick an input from (none: no node).
    void ShowModules(const NodeStaticData* data);
    EntryListView* List() const { return list_; }

private:
    ConnectionInput Edits() const;
    void ConnectFromEdits();
    void CopyBack();
    // A pick from the modules tree: the input (or range) typed in, the output emptied.
    void Picked(std::uint32_t item);

    PageHost& host_;
    EntryListModel* model_;
    EntryListView* list_;
    ModulesTree* tree_;
    QLineEdit* input_;
    QLineEdit* output_;
    QCheckBox* onChange_;
    controls::StatusIcon* changePicture_;
    QLineEdit* threshold_;
    QLabel* percent_;
    QLabel* maxPpmLabel_;
    QLineEdit* maxPpm_;
    QLabel* offsetLabel_;
    QCheckBox* offset_;
};

} // namespace mnm::editor
