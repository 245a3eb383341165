// The dialup telephone numbers with their page, and the redial attempts and
// interval: one block of controls that the Routing page shows beside its
// Telephone choice and the Dialup page under its connection list.
#pragma once

#include <QWidget>

#include "editor/model/PageRules.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace mnm::controls {
class StatusIcon;
class UpDown;
}

namespace mnm::editor {

class PageHost;

class TelephoneBlock : public QWidget {
    Q_OBJECT
public:
    TelephoneBlock(PageHost& host, QWidget* parent = nullptr);

    // Shows the contents under the block's rules.
    void Refresh(const TelephoneBlockRules& rules);
    // Its inputs in their tab order, for the page that holds it.
    QList<QWidget*> Inputs() const;

private:
    PageHost& host_;
    QGroupBox* frame_;           // 14001, everything but the leased-line picture
    QLabel* pageLabel_;          // 14002
    controls::UpDown* upDown_;   // 14003
    QLineEdit* number_;          // 14004
    QLineEdit* attempts_;        // 14007
    QLineEdit* interval_;        // 14009
    controls::StatusIcon* telephonePicture_;  // 14011
    controls::StatusIcon* leasedLinePicture_; // 14012
};

} // namespace mnm::editor
