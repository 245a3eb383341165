// The view of an editor list: one row selected at a time, the selection
// following the editor's own (never the other way round) and kept in sight.
#pragma once

#include <QListView>

namespace mnm::editor {

class EntryListModel;

class EntryListView : public QListView {
    Q_OBJECT
public:
    EntryListView(EntryListModel* model, const QString& name, QWidget* parent = nullptr);

    // The editor's selection shown and scrolled into sight (-1: none);
    // the user's choice alone raises Picked.
    void ShowSelection(int row);

signals:
    void Picked(int row);
    // The width rows are drawn across changed (the columns move with it).
    void RowWidthChanged(int width);

protected:
    bool viewportEvent(QEvent* event) override;

private:
    bool showing_ = false;
};

} // namespace mnm::editor
