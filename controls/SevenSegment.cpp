#include "controls/SevenSegment.h"

#include <QPainter>
#include <QPolygon>

namespace mnm::controls {

namespace {

// An unlit display: dark glass, segments faintly visible, lit ones green.
const QColor kDefaultBackground(16, 20, 24);
const QColor kDefaultOff(38, 44, 51);
const QColor kDefaultOn(52, 224, 138);

QPolygon ToQPolygon(const Polygon& points)
{
    QPolygon polygon;
    for (const Point& p : points) polygon << QPoint(p.x, p.y);
    return polygon;
}

} // namespace

SevenSegment::SevenSegment(QWidget* parent)
    : DisplayControl(parent), on_(kDefaultOn), off_(kDefaultOff), background_(kDefaultBackground)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SevenSegment::SetText(const QString& text)
{
    const std::string next = text.left(static_cast<qsizetype>(kMaxSegmentText)).toLatin1().toStdString();
    blank_ = std::max(0, CellCharacterCount(text_) - CellCharacterCount(next));
    text_ = next;
    AnnounceShownText();
    update();
}

void SevenSegment::SetColours(const QColor& on, const QColor& off)
{
    on_ = on;
    if (off.isValid()) off_ = off;
    update();
}

void SevenSegment::paintEvent(QPaintEvent*)
{
    const SegmentLayout layout = LayoutSegments(width(), height());
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(off_, 1));
    for (const SegmentCell& cell : SegmentCells(text_, blank_, layout)) {
        // Unlit segments first, so the lit ones sit on top of shared edges.
        for (bool lit : {false, true}) {
            painter.setBrush(lit ? on_ : off_);
            for (int segment = 0; segment < kSegmentCount; ++segment) {
                if (static_cast<bool>((cell.pattern >> segment) & 1) != lit) continue;
                painter.drawPolygon(ToQPolygon(SegmentPolygon(segment, cell.right, layout.top, layout.unit)));
            }
        }
    }
}

} // namespace mnm::controls
