#include "editor/EntryListModel.h"

#include "nodeconf/TextEncoding.h"

namespace mnm::editor {

EntryListModel::EntryListModel(Source source, QObject* parent) : QAbstractListModel(parent), source_(std::move(source))
{
}

void EntryListModel::Refresh()
{
    std::vector<std::string> now;
    const int n = source_.count();
    now.reserve(static_cast<std::size_t>(n));
    for (int row = 0; row < n; ++row) now.push_back(source_.line(row));
    if (now == lines_) return;
    beginResetModel();
    lines_ = std::move(now);
    endResetModel();
}

int EntryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(lines_.size())) return {};
    const std::string& line = lines_[index.row()];
    switch (role) {
    case kLineRole: return QByteArray::fromStdString(line);
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        // Lines hold the record's Windows-1252 text.
        return QString::fromStdString(Cp1252ToUtf8(source_.spoken(line)));
    default: return {};
    }
}

} // namespace mnm::editor
