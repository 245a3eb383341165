#include "controls/MultiGauge.h"

#include <QPainter>
#include <algorithm>

namespace mnm::controls {

namespace {

// The unfilled part of the bar.
const QColor kTrack(222, 225, 230);

} // namespace

MultiGauge::MultiGauge(const GaugeScale& scale, QWidget* parent)
    : DisplayControl(parent), scale_(scale), value_(GaugeStartValue(scale))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MultiGauge::SetValue(int value)
{
    value_ = value;
    hasValue_ = true;
    AnnounceShownText();
    update();
}

void MultiGauge::ClearValue()
{
    hasValue_ = false;
    AnnounceShownText();
    update();
}

void MultiGauge::ShowText(bool on)
{
    showText_ = on;
    update();
}

QString MultiGauge::ShownText() const
{
    return hasValue_ ? QString::fromStdString(GaugeText(scale_, value_)) : tr("No value");
}

void MultiGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int x = GaugeX(scale_, GaugeShownValue(scale_, hasValue_, value_), width());
    for (const GaugeZone& zone : GaugeZones(scale_, x, width()))
        painter.fillRect(zone.left, 0, zone.right - zone.left, height(),
                         QColor(zone.colour.red, zone.colour.green, zone.colour.blue));
    painter.fillRect(x, 0, width() - x, height(), kTrack);
    if (!showText_ || !hasValue_) return;
    const QString text = ShownText();
    const int left = GaugeTextLeft(x, painter.fontMetrics().horizontalAdvance(text));
    const QRect area(left, 0, width() - left, height());
    // Light letters over the dark red zone, dark ones elsewhere.
    const int darkEnd = std::min(x, GaugeX(scale_, scale_.low, width()));
    painter.setClipRect(0, 0, darkEnd, height());
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setClipRect(darkEnd, 0, width() - darkEnd, height());
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace mnm::controls
