// Draws the alerts list's rows: the point, the condition, the limit and
// hysteresis with their points lined up, and the message and number sent.
// Rows keep the list's own background; the selected one is outlined.
#pragma once

#include "editor/LineDelegate.h"

namespace mnm::editor {

class AlertDelegate : public LineDelegate {
    Q_OBJECT
public:
    explicit AlertDelegate(QObject* parent = nullptr) : LineDelegate(parent, Selection::Outlined) {}

protected:
    void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                   const QStyleOptionViewItem& option) const override;
};

} // namespace mnm::editor
