#include "app/StatusIndicator.h"

#include <QAccessible>
#include <algorithm>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "resources/Pictures.h"

namespace mnm::app {

namespace {
// The pictures are drawn at this height; the texts sit on either side.
constexpr int kPictureHeight = 20;
constexpr int kTextGap = 3;

int Widest(const QFontMetrics& metrics, const std::vector<std::string>& texts)
{
    int widest = 0;
    for (const std::string& text : texts) widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    return widest;
}

} // namespace

StatusIndicator::StatusIndicator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(2118));
    setAccessibleName(tr("Status indicator"));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    MeasureTexts();
}

void StatusIndicator::MeasureTexts()
{
    const IndicatorSamples samples = IndicatorTextSamples();
    leftWidth_ = Widest(fontMetrics(), samples.left);
    rightWidth_ = Widest(fontMetrics(), samples.right);
    updateGeometry();
}

int StatusIndicator::PictureWidth() const
{
    const QSize picture = resources::PictureSize(resources::kIndicatorFirstFrame);
    return picture.height() > 0 ? picture.width() * kPictureHeight / picture.height() : kPictureHeight;
}

QSize StatusIndicator::sizeHint() const
{
    return {leftWidth_ + PictureWidth() + rightWidth_ + 2 * kTextGap,
            std::max(kPictureHeight, fontMetrics().height()) + 4};
}

void StatusIndicator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) MeasureTexts();
}

void StatusIndicator::focusInEvent(QFocusEvent* event)
{
    keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(event);
}

void StatusIndicator::mousePressEvent(QMouseEvent* event)
{
    keyboardFocus_ = false;
    update();
    QWidget::mousePressEvent(event);
}

void StatusIndicator::Show(int frame, const IndicatorTexts& texts, const QString& tooltip)
{
    const QString left = QString::fromStdString(texts.left), right = QString::fromStdString(texts.right);
    const bool changed = frame != frame_ || left != left_ || right != right_;
    frame_ = frame;
    left_ = left;
    right_ = right;
    if (toolTip() != tooltip) {
        setToolTip(tooltip);
        setAccessibleDescription(tooltip);
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (changed) update();
}

void StatusIndicator::ShowStopping()
{
    const QString stopping = QString::fromUtf8(kIndicatorStoppingText);
    Show(frame_, {stopping.toStdString(), {}}, stopping);
    repaint();
}

void StatusIndicator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QSize hint = sizeHint();
    const QRect picture(leftWidth_ + kTextGap + (width() - hint.width()) / 2, (height() - kPictureHeight) / 2,
                        PictureWidth(), kPictureHeight);
    p.drawPixmap(picture, resources::RenderPicture(resources::kIndicatorFirstFrame + frame_, picture.size(),
                                                   devicePixelRatioF()));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 0, picture.left() - kTextGap, height()), Qt::AlignRight | Qt::AlignVCenter, left_);
    p.drawText(QRect(picture.right() + 1 + kTextGap, 0, width() - picture.right() - 1 - kTextGap, height()),
               Qt::AlignLeft | Qt::AlignVCenter, right_);
    if (ShowsFocusFrame()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StatusIndicator::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
}

void StatusIndicator::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) {
        emit Clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mnm::app
