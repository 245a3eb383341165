#include "editor/PageControls.h"

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

controls::StatusIcon* Picture(int id, int offIcon, int onIcon, const QString& name, int side, QWidget* parent)
{
    auto* picture = Named(new controls::StatusIcon(offIcon, onIcon, parent), id);
    picture->setAccessibleName(name);
    picture->setFixedSize(side, side);
    picture->SetState(controls::kStateOff);
    return picture;
}

} // namespace mnm::editor
