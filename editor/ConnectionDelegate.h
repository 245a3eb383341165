// Draws a connection list's rows: input, arrow, output node, output, the
// interval and change pictures and, where it means something, the threshold.
#pragma once

#include "editor/LineDelegate.h"

namespace mnm::editor {

class ConnectionDelegate : public LineDelegate {
    Q_OBJECT
public:
    using LineDelegate::LineDelegate;

protected:
    void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                   const QStyleOptionViewItem& option) const override;
};

} // namespace mnm::editor
