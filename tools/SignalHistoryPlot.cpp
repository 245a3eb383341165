#include "tools/SignalHistoryPlot.h"

#include <QPainter>
#include <QPainterPath>

namespace mnm::tools {

namespace {

constexpr int kMinimumTraceHeight = 64;
constexpr int kMinimumTraceWidth = 160;
constexpr int kPreferredTraceWidth = 360;
constexpr int kTextGap = 2;
constexpr int kSmallerFont = 1; // points less than the page's font for the axis ends

// The gauge's zones, faint behind the trace, so a reading is placed at a glance.
constexpr int kZoneAlpha = 48;
const QColor kWeakZone(192, 0, 0, kZoneAlpha);
const QColor kFairZone(255, 255, 0, kZoneAlpha);
const QColor kGoodZone(0, 255, 0, kZoneAlpha);
const QColor kTraceColour(0, 110, 60);
const QColor kSpanColour(0, 110, 60, 90);

QRect ToRect(const PlotArea& a) { return {a.left, a.top, a.width, a.height}; }

} // namespace

SignalHistoryPlot::SignalHistoryPlot(QWidget* parent) : DisplayControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    summary_ = QString::fromStdString(SignalSummary(std::nullopt));
    setAccessibleDescription(QString::fromStdString(SignalDescription(std::nullopt)));
}

void SignalHistoryPlot::AddSample(std::chrono::milliseconds tick, int dbm)
{
    history_.Add(tick, dbm);
    now_ = tick;
    Changed();
}

void SignalHistoryPlot::Age(std::chrono::milliseconds now)
{
    history_.Age(now);
    now_ = now;
    Changed();
}

void SignalHistoryPlot::Changed()
{
    const std::optional<SignalFigures> figures = history_.Figures();
    const QString summary = QString::fromStdString(SignalSummary(figures));
    if (summary != summary_) {
        summary_ = summary;
        setAccessibleDescription(QString::fromStdString(SignalDescription(figures)));
        AnnounceShownText();
    }
    update();
}

QString SignalHistoryPlot::ShownText() const { return summary_; }

QSize SignalHistoryPlot::sizeHint() const
{
    return {kPreferredTraceWidth, kMinimumTraceHeight + TextLineHeight()};
}

QSize SignalHistoryPlot::minimumSizeHint() const
{
    return {kMinimumTraceWidth, kMinimumTraceHeight + TextLineHeight()};
}

int SignalHistoryPlot::TextLineHeight() const { return kTextGap + fontMetrics().height(); }

PlotArea SignalHistoryPlot::TraceArea() const { return {0, 0, width(), std::max(0, height() - TextLineHeight())}; }

void SignalHistoryPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const PlotArea area = TraceArea();
    const QRect trace = ToRect(area);
    painter.fillRect(trace, palette().color(QPalette::Base));

    // Zones from the top (strong) down: good, fair, weak.
    const int high = PlotY(kSignalScale.high, area);
    const int low = PlotY(kSignalScale.low, area);
    painter.fillRect(QRect(QPoint(area.left, area.top), QPoint(trace.right(), high)), kGoodZone);
    painter.fillRect(QRect(QPoint(area.left, high + 1), QPoint(trace.right(), low)), kFairZone);
    painter.fillRect(QRect(QPoint(area.left, low + 1), trace.bottomRight()), kWeakZone);

    QFont small = font();
    small.setPointSizeF(std::max(1.0, small.pointSizeF() - kSmallerFont));
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect axisText = trace.adjusted(kTextGap, 0, -kTextGap, 0);
    painter.drawText(axisText, Qt::AlignLeft | Qt::AlignBottom, QString::fromLatin1(kPlotStartText));
    painter.drawText(axisText, Qt::AlignRight | Qt::AlignBottom, QString::fromLatin1(kPlotEndText));

    if (history_.Empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(trace, Qt::AlignCenter, summary_);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kSpanColour, 1));
        for (const PlotSpan& s : PlotSpans(history_, now_, area)) painter.drawLine(s.x, s.top, s.x, s.bottom);
        QPainterPath path;
        const std::vector<PlotPoint> points = PlotTrace(history_, now_, area);
        for (const PlotPoint& p : points) {
            if (p.joined)
                path.lineTo(p.x, p.y);
            else
                path.moveTo(p.x, p.y);
        }
        painter.setPen(QPen(kTraceColour, 1.5));
        painter.drawPath(path);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(trace.adjusted(0, 0, -1, -1));

    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect line(0, area.height + kTextGap, width(), height() - area.height - kTextGap);
    if (!history_.Empty()) painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, summary_);
}

} // namespace mnm::tools
