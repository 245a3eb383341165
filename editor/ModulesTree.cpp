#include "editor/ModulesTree.h"

#include "nodeconf/TextEncoding.h"

namespace mnm::editor {

namespace {

constexpr int kValueRole = Qt::UserRole;

// Node texts are Windows-1252 and plain: item texts never render markup.
void Describe(QTreeWidgetItem* item, const ModuleItem& m)
{
    const QString text = QString::fromStdString(Cp1252ToUtf8(m.text));
    item->setText(0, text);
    item->setData(0, Qt::AccessibleTextRole, text);
    item->setData(0, kValueRole, QVariant::fromValue<quint32>(m.value));
    for (const ModuleItem& child : m.children) Describe(new QTreeWidgetItem(item), child);
}

} // namespace

ModulesTree::ModulesTree(unsigned mask, QWidget* parent) : QTreeWidget(parent), mask_(mask)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAccessibleName(tr("Modules Available"));
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (filling_) return;
        if (const auto value = SelectedValue()) emit Picked(*value);
    });
}

void ModulesTree::Fill(const NodeStaticData* data)
{
    filling_ = true;
    clear();
    if (data) {
        for (const ModuleItem& card : ModulesTreeItems(*data, mask_)) {
            auto* item = new QTreeWidgetItem(this);
            Describe(item, card);
            item->setExpanded(true);
        }
    }
    filling_ = false;
}

std::optional<std::uint32_t> ModulesTree::SelectedValue() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return selected.front()->data(0, kValueRole).value<quint32>();
}

} // namespace mnm::editor
