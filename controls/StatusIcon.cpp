#include "controls/StatusIcon.h"

#include <QPainter>

#include "resources/Pictures.h"

namespace mnm::controls {

StatusIcon::StatusIcon(int offIcon, int onIcon, QWidget* parent)
    : DisplayControl(parent), offIcon_(offIcon), onIcon_(onIcon)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatusIcon::SetState(int state)
{
    const int shown = ShownState(state);
    if (shown == state_) return;
    state_ = shown;
    AnnounceShownText();
    update();
}

int StatusIcon::ShownIcon() const
{
    if (state_ == kStateOn) return onIcon_;
    if (state_ == kStateOff) return offIcon_;
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
