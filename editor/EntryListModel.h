// An editor list as a Qt list model over one of the editor's vectors: each
// row is the entry's line as its page builds it. The page's delegate draws
// the line; a screen reader reads it as spoken words.
#pragma once

#include <QAbstractListModel>

#include <functional>
#include <string>
#include <vector>

namespace mnm::editor {

class EntryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The raw line, for the delegate (a QByteArray of the line's bytes).
    static constexpr int kLineRole = Qt::UserRole + 1;

    struct Source {
        std::function<int()> count;
        std::function<std::string(int row)> line;
        std::function<std::string(const std::string& line)> spoken;
    };
    explicit EntryListModel(Source source, QObject* parent = nullptr);

    // Reads the lines again; the rows are reset only when some line changed,
    // so a keystroke elsewhere on the page costs no repaint of the list.
    void Refresh();
    const std::string& Line(int row) const { return lines_.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    Source source_;
    std::vector<std::string> lines_;
};

} // namespace mnm::editor
