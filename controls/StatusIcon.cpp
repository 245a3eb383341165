#include "controls/StatusIcon.h"

#include <QPainter>

#include "resources/Pictures.h"

namespace mnm::controls {

StatusIcon::StatusIcon(int offIcon, int onIcon, QWidget* parent)
    : TwoStateControl(parent), offIcon_(offIcon), onIcon_(onIcon) {}

int StatusIcon::ShownIcon() const
{
    if (State() == kStateOn) return onIcon_;
    if (State() == kStateOff) return offIcon_;
    return 0;
}

void StatusIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const int icon = ShownIcon();
    if (icon == 0) return;
    const int side = PictureSide(width(), height());
    const QPixmap picture = resources::RenderPicture(icon, QSize(side, side), devicePixelRatioF());
    painter.drawPixmap((width() - side) / 2, (height() - side) / 2, picture);
}

} // namespace mnm::controls
