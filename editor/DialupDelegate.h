// Draws a dialup connection's row from the record its line carries:
// endpoints, arrow, telephone or leased line, interval and change.
#pragma once

#include "editor/LineDelegate.h"

namespace mnm::editor {

class DialupDelegate : public LineDelegate {
    Q_OBJECT
public:
    using LineDelegate::LineDelegate;

protected:
    void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                   const QStyleOptionViewItem& option) const override;
};

} // namespace mnm::editor
