#include "editor/WizardWindow.h"

#include <QAccessible>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace mnm::editor {

namespace {

static_assert(kMaxLinkPlaces == kMaxLinks, "one button for each link place");

// Half a second of no typing before the explanation appears: it does not
// flicker over the help text with every key.
constexpr int kShowDelayTicks = 10;
const QColor kPanelColour(113, 230, 247);
// The panel's colour does not follow the palette, so neither does its text.
const QColor kTextColour(Qt::black);

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WithoutLinkMarks(const std::string& text) { return FromUtf8(text).remove(QLatin1Char('@')); }

} // namespace

WizardWindow::WizardWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WizardWindow"));
    setAccessibleName(QStringLiteral("Explanation"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int i = 0; i < kMaxLinks; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("WizardLink%1").arg(i + 1));
        button->setAutoDefault(false);
        // No words on it (the line says "press here"); an arrow shows it is to be pressed.
        button->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
        button->setFocusPolicy(Qt::TabFocus);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (i < LinkCount()) emit LinkPressed(links_[static_cast<std::size_t>(i)]);
        });
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    // Hidden explicitly, so that showing the page does not show it too.
    setVisible(false);
}

void WizardWindow::SetExplanation(const Explanation& explanation)
{
    text_ = explanation.text;
    const std::size_t kept = std::min(explanation.links.size(), static_cast<std::size_t>(kMaxLinks));
    links_.assign(explanation.links.begin(), explanation.links.begin() + static_cast<std::ptrdiff_t>(kept));
    countdown_ = text_.empty() ? 0 : kShowDelayTicks;
    LayOut();
    ApplyVisibility();
}

void WizardWindow::Suppress(bool suppressed)
{
    suppressed_ = suppressed;
    ApplyVisibility();
}

void WizardWindow::Tick()
{
    if (countdown_ > 0) --countdown_;
    ApplyVisibility();
}

void WizardWindow::ApplyVisibility()
{
    const bool shown = countdown_ == 0 && !suppressed_ && !text_.empty();
    if (shown == isHidden()) setVisible(shown);
    Publish(shown ? WithoutLinkMarks(text_) : QString());
}

void WizardWindow::Publish(const QString& description)
{
    if (description == accessibleDescription()) return;
    setAccessibleDescription(description);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// The one place the text is laid out: painting and the buttons share it.
void WizardWindow::LayOut()
{
    const QFontMetrics metrics(font());
    layout_ = LayOutExplanation(text_, width(), metrics.size(Qt::TextSingleLine, QStringLiteral("Y")).height(),
                                [&](std::string_view piece) { return metrics.horizontalAdvance(FromUtf8(piece)); });
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QPushButton* button = buttons_[i];
        const bool placed = i < layout_.links.size() && i < links_.size();
        if (placed) {
            const LinkPlace& place = layout_.links[i];
            button->setGeometry(place.x, place.top, place.width, place.height);
            const QString words = FromUtf8(place.lineText);
            button->setAccessibleName(words);
            // A tooltip that looks like markup would be shown as markup.
            button->setToolTip(Qt::mightBeRichText(words) ? Qt::convertFromPlainText(words) : words);
        }
        button->setVisible(placed);
    }
    update();
}

void WizardWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kPanelColour);
    painter.setPen(kTextColour);
    const int ascent = painter.fontMetrics().ascent();
    // drawText at a point never reads the text as markup.
    for (const ExplanationLine& line : layout_.lines)
        painter.drawText(QPoint(line.x, line.top + ascent), FromUtf8(line.text));
}

void WizardWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void WizardWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) LayOut();
}

} // namespace mnm::editor
