#include "controls/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

namespace mnm::controls {

namespace {

QToolButton* Arrow(Qt::ArrowType type, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setFocusPolicy(Qt::NoFocus); // the pair takes the focus, and the arrow keys with it
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    up_ = Arrow(Qt::UpArrow, tr("Next"), this);
    down_ = Arrow(Qt::DownArrow, tr("Previous"), this);
    auto* layout = new QVBoxLayout(this);
    constexpr int kFocusFrame = 2; // room for the focus frame round the arrows
    layout->setContentsMargins(kFocusFrame, kFocusFrame, kFocusFrame, kFocusFrame);
    layout->setSpacing(0);
    // Together as tall as a one-line edit beside them.
    const int half = QLineEdit().sizeHint().height() / 2;
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setFixedSize(half + half / 2, half);
        layout->addWidget(arrow);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

void UpDown::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!hasFocus()) return;
    // The arrows take no focus themselves: the pair shows that it has it.
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void UpDown::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void UpDown::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up) return emit Stepped(+1);
    if (event->key() == Qt::Key_Down) return emit Stepped(-1);
    QWidget::keyPressEvent(event);
}

} // namespace mnm::controls
