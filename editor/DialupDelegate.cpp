#include "editor/DialupDelegate.h"

#include "editor/model/DialupRow.h"

namespace mnm::editor {

namespace {
constexpr int kIconSide = 12;
} // namespace

void DialupDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                               const QStyleOptionViewItem&) const
{
    DialupConnection c{};
    if (ReadDialupViewLine(line, c)) PaintCells(painter, row, DialupRowCells(c, row.width()), kIconSide);
}

} // namespace mnm::editor
