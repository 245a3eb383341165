// Making the pages' controls: each under the identifier outside tests and
// the pages' own code find it by, with a name a screen reader says.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLayout;
class QWidget;

namespace mnm::controls {
class StatusIcon;
}

namespace mnm::editor {

template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

// A drop-down list of fixed entries, the first chosen.
QComboBox* DropDown(int id, const QStringList& items, const QString& name, QWidget* parent);

// The list pages' arrangement: the modules tree under its label at the
// left, the list with its controls (`right`) taking most of the width.
void PlaceTreeBeside(QWidget* page, QWidget* treeLabel, QWidget* tree, QLayout* right);

// A picture of two states, in its first state, `side` pixels square.
controls::StatusIcon* Picture(int id, int offIcon, int onIcon, const QString& name, int side, QWidget* parent);

} // namespace mnm::editor
