#include "controls/ColoredPanel.h"

#include <QPainter>

namespace mnm::controls {

ColoredPanel::ColoredPanel(const QColor& colour, QWidget* parent) : TwoStateControl(parent), colour_(colour) {}

void ColoredPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), State() == kStateOn ? colour_ : palette().color(QPalette::Window));
}

} // namespace mnm::controls
