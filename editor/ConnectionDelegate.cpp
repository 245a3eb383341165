#include "editor/ConnectionDelegate.h"

#include "editor/model/ConnectionRow.h"

namespace mnm::editor {

namespace {
constexpr int kIconSide = 12;
} // namespace

void ConnectionDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                                   const QStyleOptionViewItem&) const
{
    PaintCells(painter, row, ConnectionRowCells(line, row.width()), kIconSide);
}

} // namespace mnm::editor
