#include "editor/EntryListView.h"

#include "editor/EntryListModel.h"

#include <QResizeEvent>

namespace mnm::editor {

EntryListView::EntryListView(EntryListModel* model, const QString& name, QWidget* parent) : QListView(parent)
{
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true); // thousands of rows lay out without measuring each
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the columns fit the width
    setAccessibleName(name);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!showing_) emit Picked(current.isValid() ? current.row() : -1);
    });
}

void EntryListView::ShowSelection(int row)
{
    showing_ = true;
    const QModelIndex index = model()->index(row, 0);
    if (index.isValid()) {
        // Brought into sight when it changes, not on every refresh: a list the
        // user scrolled stays where it is while they type elsewhere.
        if (currentIndex() != index || !selectionModel()->isSelected(index)) {
            setCurrentIndex(index);
            scrollTo(index);
        }
    } else {
        selectionModel()->clear();
    }
    showing_ = false;
}

bool EntryListView::viewportEvent(QEvent* event)
{
    // The viewport narrows when the scroll bar appears, not only when the list is resized.
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->size().width() != resize->oldSize().width()) emit RowWidthChanged(resize->size().width());
    }
    return QListView::viewportEvent(event);
}

} // namespace mnm::editor
