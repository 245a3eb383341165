#include "app/StatusIndicator.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "resources/Pictures.h"

namespace mnm::app {

namespace {
// The pictures are drawn at this height; the texts sit on either side.
constexpr int kPictureHeight = 20;
constexpr int kTextWidthChars = 8;
} // namespace

StatusIndicator::StatusIndicator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::number(2118));
    setAccessibleName(tr("Status indicator"));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize StatusIndicator::sizeHint() const
{
    const QSize picture = resources::PictureSize(resources::kIndicatorFirstFrame);
    const int pictureWidth = picture.height() > 0 ? picture.width() * kPictureHeight / picture.height() : kPictureHeight;
    const int text = fontMetrics().averageCharWidth() * kTextWidthChars;
    return {pictureWidth + 2 * text, std::max(kPictureHeight, fontMetrics().height()) + 4};
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
    const QString stopping = tr("Stopping\u2026");
    Show(frame_, {stopping.toStdString(), {}}, stopping);
    repaint();
}

void StatusIndicator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QSize hint = sizeHint();
    const int text = fontMetrics().averageCharWidth() * kTextWidthChars;
    const int pictureWidth = hint.width() - 2 * text;
    const QRect picture(text + (width() - hint.width()) / 2, (height() - kPictureHeight) / 2, pictureWidth,
                        kPictureHeight);
    p.drawPixmap(picture, resources::RenderPicture(resources::kIndicatorFirstFrame + frame_, picture.size(),
                                                   devicePixelRatioF()));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, 0, picture.left() - 2, height()), Qt::AlignRight | Qt::AlignVCenter, left_);
    p.drawText(QRect(picture.right() + 3, 0, width() - picture.right() - 3, height()), Qt::AlignLeft | Qt::AlignVCenter,
               right_);
    if (hasFocus()) {
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
