#include "editor/AlertDelegate.h"

#include "editor/EntryListModel.h"
#include "editor/model/AlertRow.h"
#include "nodeconf/TextEncoding.h"

#include <QApplication>
#include <QPainter>

namespace mnm::editor {

void AlertDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(group, QPalette::Base));
    painter->setPen(option.palette.color(group, QPalette::Text));
    painter->setFont(option.font);
    PaintLine(*painter, option.rect, index.data(EntryListModel::kLineRole).toByteArray().toStdString(), option);
    if (selected) {
        painter->setPen(QPen(option.palette.color(group, QPalette::Highlight), 0)); // one device pixel
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    } else if (option.state & QStyle::State_HasFocus) {
        // The outline already marks the selected row; elsewhere the focus needs its own frame.
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(group, QPalette::Base);
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

void AlertDelegate::PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                              const QStyleOptionViewItem&) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const TextWidth width = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromStdString(Cp1252ToUtf8(text)));
    };
    PaintCells(painter, row, AlertRowCells(line, width), kAlertIconSide);
}

} // namespace mnm::editor
