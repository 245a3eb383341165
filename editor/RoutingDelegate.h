// Draws a routing list's rows: the line's fields in the routing columns,
// the route pictures in place of "!N", "!T" and "!E".
#pragma once

#include <functional>

#include "editor/LineDelegate.h"

namespace mnm::editor {

class RoutingDelegate : public LineDelegate {
    Q_OBJECT
public:
    // `hasMetric`: whether the list shown has any metric (the column set).
    RoutingDelegate(std::function<bool()> hasMetric, QObject* parent = nullptr);

protected:
    void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                   const QStyleOptionViewItem& option) const override;

private:
    std::function<bool()> hasMetric_;
};

} // namespace mnm::editor
