// The live pages' look: the page on the workspace colour, set apart from
// the editor's, and its panels and groups on the window colour over it.
#pragma once

#include <QString>

class QFrame;
class QGroupBox;
class QWidget;

namespace mnm::tools {

void UseWorkspaceColour(QWidget* page);
// A framed panel without a title.
QFrame* Panel(QWidget* parent);
QGroupBox* PanelGroup(const QString& title, QWidget* parent);

} // namespace mnm::tools
