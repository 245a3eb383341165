// What the live pages share: their look (the page on the workspace colour,
// set apart from the editor's, its panels and groups on the window colour
// over it) and the way they make their buttons and number edits.
#pragma once

#include <QString>

class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace mnm::tools {

void UseWorkspaceColour(QWidget* page);
// A framed panel without a title.
QFrame* Panel(QWidget* parent);
QGroupBox* PanelGroup(const QString& title, QWidget* parent);

// A button under its identifier that Enter never presses.
QPushButton* PageButton(int id, const QString& text, QWidget* parent);
// An edit under its identifier as wide as `characters` digits, no wider.
QLineEdit* NarrowEdit(int id, int characters, QWidget* parent);

} // namespace mnm::tools
