#include "editor/AlertDelegate.h"

#include "editor/model/AlertRow.h"
#include "nodeconf/TextEncoding.h"

#include <QPainter>

namespace mnm::editor {

void AlertDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                              const QStyleOptionViewItem&) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const TextWidth width = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromStdString(Cp1252ToUtf8(text)));
    };
    PaintCells(painter, row, AlertRowCells(line, width), kAlertIconSide);
}

} // namespace mnm::editor
