#include "controls/ColoredPanel.h"

#include <QPainter>

namespace mnm::controls {

ColoredPanel::ColoredPanel(const QColor& colour, QWidget* parent) : DisplayControl(parent), colour_(colour)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColoredPanel::SetState(int state)
{
    const int shown = ShownState(state);
    if (shown == state_) return;
    state_ = shown;
    AnnounceShownText();
    update();
}

void ColoredPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), state_ == kStateOn ? colour_ : palette().color(QPalette::Window));
}

} // namespace mnm::controls
