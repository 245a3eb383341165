#include "editor/LineDelegate.h"

#include "editor/EntryListModel.h"
#include "nodeconf/TextEncoding.h"
#include "resources/Pictures.h"

#include <QApplication>
#include <QPainter>

namespace mnm::editor {

namespace {
constexpr int kRowPadding = 4;  // room above and below the text
constexpr int kSmallestRow = 16; // a 12-pixel picture with a little air
} // namespace

LineDelegate::LineDelegate(QObject* parent, Selection selection) : QStyledItemDelegate(parent), selection_(selection)
{
}

void LineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const bool filled = selected && selection_ == Selection::Filled;
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(group, filled ? QPalette::Highlight : QPalette::Base));
    painter->setPen(option.palette.color(group, filled ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    PaintLine(*painter, option.rect, index.data(EntryListModel::kLineRole).toByteArray().toStdString(), option);
    if (selected && !filled) {
        painter->setPen(QPen(option.palette.color(group, QPalette::Highlight), 0)); // one device pixel
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    } else if (option.state & QStyle::State_HasFocus) {
        // An outlined row needs no focus frame besides.
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(group, filled ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize LineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), std::max(kSmallestRow, option.fontMetrics.height() + kRowPadding)};
}

void LineDelegate::PaintCells(QPainter& painter, const QRect& row, const std::vector<RowCell>& cells, int iconSide) const
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    for (const RowCell& cell : cells) {
        const QRect column(row.left() + cell.left, row.top(), std::max(0, cell.right - cell.left), row.height());
        if (!cell.icon.empty()) {
            const int side = cell.iconSide > 0 ? cell.iconSide : iconSide;
            painter.drawPixmap(column.left(), row.top() + (row.height() - side) / 2, Picture(cell.icon, side, ratio));
        } else {
            // Outside text is drawn as it stands, never as markup.
            painter.drawText(column, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                             QString::fromStdString(Cp1252ToUtf8(cell.text)));
        }
    }
}

QPixmap LineDelegate::Picture(const std::string& name, int side, qreal devicePixelRatio) const
{
    const QString key = QString("%1/%2/%3").arg(QString::fromStdString(name)).arg(side).arg(devicePixelRatio);
    auto it = pictures_.find(key);
    if (it == pictures_.end())
        it = pictures_.insert(key, resources::RenderPicture(name, {side, side}, devicePixelRatio));
    return *it;
}

} // namespace mnm::editor
