#include "controls/StatusText.h"

#include <QPainter>

namespace mnm::controls {

StatusText::StatusText(QWidget* parent) : DisplayControl(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void StatusText::SetText(const QString& text)
{
    text_ = FirstCharacters(text.toStdString(), kMaxMessageCharacters);
    const int needed = TextHeight();
    if (needed < height()) resize(width(), needed);
    AnnounceShownText();
    update();
}

std::vector<TextLine> StatusText::Lines() const
{
    const QFontMetrics metrics(font());
    return BreakLines(text_, width(), [&](std::string_view piece) {
        return metrics.horizontalAdvance(QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())));
    });
}

int StatusText::TextHeight() const
{
    return static_cast<int>(Lines().size()) * QFontMetrics(font()).lineSpacing();
}

void StatusText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setClipRect(rect());
    painter.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int ascent = painter.fontMetrics().ascent();
    int y = 0;
    for (const TextLine& line : Lines()) {
        // drawText with a point never interprets markup: the text stays plain.
        painter.drawText(QPoint(0, y + ascent),
                         QString::fromUtf8(text_.data() + line.start, static_cast<qsizetype>(line.length)));
        y += lineHeight;
    }
}

} // namespace mnm::controls
