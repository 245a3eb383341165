// The base of the editor lists' delegates: each row is drawn from its line,
// selected rows in the highlight colours, pictures from the program's own.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <string>
#include <vector>

#include "editor/model/ListColumns.h"

namespace mnm::editor {

class LineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // How the selected row shows: filled with the highlight colour, or kept
    // on the list's background with a highlight outline.
    enum class Selection { Filled, Outlined };
    explicit LineDelegate(QObject* parent = nullptr, Selection selection = Selection::Filled);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // Draws the row's line inside `row`, with the pen already in the row's text colour.
    virtual void PaintLine(QPainter& painter, const QRect& row, const std::string& line,
                           const QStyleOptionViewItem& option) const = 0;

    // Cells as LayOutRow gives them (x from the row's left): text at the
    // column's left edge, pictures `iconSide` square, centred vertically.
    void PaintCells(QPainter& painter, const QRect& row, const std::vector<RowCell>& cells, int iconSide) const;
    // A picture by name at the painter's scale (drawn once per size).
    QPixmap Picture(const std::string& name, int side, qreal devicePixelRatio) const;

private:
    Selection selection_;
    mutable QHash<QString, QPixmap> pictures_;
};

} // namespace mnm::editor
