// Draws the alarm list's rows: the node at the row's start, its state at a
// tab stop given in dialog units of the list's font, so the states line up.
#pragma once

#include "editor/LineDelegate.h"

namespace mnm::tools {

class AlarmListDelegate : public editor::LineDelegate {
    Q_OBJECT
public:
    AlarmListDelegate(int tabStopDialogUnits, QObject* parent = nullptr);

protected:
    void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                   const QStyleOptionViewItem& option) const override;

private:
    int tabStop_;
};

} // namespace mnm::tools
