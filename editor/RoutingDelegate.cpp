#include "editor/RoutingDelegate.h"

#include "editor/model/RoutingList.h"

namespace mnm::editor {

namespace {
constexpr int kRouteIconSide = 12;
} // namespace

RoutingDelegate::RoutingDelegate(std::function<bool()> hasMetric, QObject* parent)
    : LineDelegate(parent), hasMetric_(std::move(hasMetric))
{
}

void RoutingDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                                const QStyleOptionViewItem&) const
{
    const auto& edges = RoutingColumnEdges(hasMetric_());
    PaintCells(painter, row,
               LayOutRow(ShownRoutingLine(line), edges, kRoutingColumnUnits, row.width(), RoutingIcon),
               kRouteIconSide);
}

} // namespace mnm::editor
