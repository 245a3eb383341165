#include "editor/PageControls.h"

#include <QBoxLayout>
#include <QComboBox>

#include "controls/StatusIcon.h"

namespace mnm::editor {

QComboBox* DropDown(int id, const QStringList& items, const QString& name, QWidget* parent)
{
    auto* box = Named(new QComboBox(parent), id);
    box->addItems(items);
    box->setAccessibleName(name);
    return box;
}

void PlaceTreeBeside(QWidget* page, QWidget* treeLabel, QWidget* tree, QLayout* right)
{
    constexpr int kTreeShare = 2, kListShare = 5;
    auto* left = new QVBoxLayout;
    left->addWidget(treeLabel);
    left->addWidget(tree, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, kTreeShare);
    layout->addLayout(right, kListShare);
}

controls::StatusIcon* Picture(int id, int offIcon, int onIcon, const QString& name, int side, QWidget* parent)
{
    auto* picture = Named(new controls::StatusIcon(offIcon, onIcon, parent), id);
    picture->setAccessibleName(name);
    picture->setFixedSize(side, side);
    picture->SetState(controls::kStateOff);
    return picture;
}

} // namespace mnm::editor
