// The modules tree of a page: the node's cards, channel groups and channels
// to pick an endpoint from.
#pragma once

#include <QTreeWidget>

#include <cstdint>
#include <optional>

#include "editor/model/ModulesTree.h"

namespace mnm::editor {

class ModulesTree : public QTreeWidget {
    Q_OBJECT
public:
    // `mask`: the kinds whose channels the page lists (kConnectionsTreeMask...).
    explicit ModulesTree(unsigned mask, QWidget* parent = nullptr);

    // nullptr (no node) leaves the tree empty.
    void Fill(const NodeStaticData* data);
    std::optional<std::uint32_t> SelectedValue() const;

signals:
    // The user selected an item; Fill never raises it.
    void Picked(std::uint32_t value);

private:
    unsigned mask_;
    bool filling_ = false;
};

} // namespace mnm::editor
