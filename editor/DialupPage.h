// The Dialup (or Leased Line) page: the connections made through the modem,
// the controls that add one, and the telephone-number block under the list.
#pragma once

#include <QWidget>

#include "nodeconf/DialupRule.h"
#include "nodeconf/NodeStaticData.h"

class QCheckBox;
class QComboBox;
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

class DialupPage : public QWidget {
    Q_OBJECT
public:
    DialupPage(PageHost& host, QWidget* parent = nullptr);

    void Reset();
    void Refresh(bool current);
    void ShowModules(const NodeStaticData* data);
    void HoldTelephoneBlock(QWidget* block);
    // The telephone block is in use only for a primary connection.
    bool PrimaryChosen() const;
    EntryListView* List() const { return list_; }

private:
    DialupInput Controls() const;
    void Add();
    void CopyBack();
    void Picked(std::uint32_t item);

    PageHost& host_;
    EntryListModel* model_;
    EntryListView* list_;
    ModulesTree* tree_;
    QVBoxLayout* blockSlot_;
    QComboBox* route_;
    QComboBox* direction_;
    QLineEdit* local_;
    QLineEdit* remote_;
    controls::StatusIcon* intervalPicture_;
    QCheckBox* intervalBox_;
    QLineEdit* interval_;
    QLabel* minutes_;
    controls::StatusIcon* changePicture_;
    QCheckBox* changeBox_;
    QLineEdit* threshold_;
    QLabel* percent_;
    QLabel* ppmLabel_;
    QLineEdit* ppm_;
    QLabel* offsetLabel_;
    QCheckBox* offset_;
};

} // namespace mnm::editor
