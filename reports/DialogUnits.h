// Dialog-unit rectangles to pixels through a widget's font, and back to Qt's
// rectangles.
#pragma once

#include <QRect>

#include "reports/model/DialogGeometry.h"

class QWidget;

namespace mnm::reports {

BaseUnits BaseUnitsOf(const QWidget& widget);
QRect ToQRect(const Rect& rect);
Rect FromQRect(const QRect& rect);
// The parent's frame on screen, or the screen's free area without a parent.
Rect ParentArea(const QWidget* parent);

} // namespace mnm::reports
