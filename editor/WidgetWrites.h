// The editor's writes from its contents into widgets: none of them raises the
// widget's signals (a load is never an edit), and none touches a widget that
// already shows the value (the cursor stays where the user typed).
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace mnm::editor {

// The record's Windows-1252 text to show, and what was typed to keep.
QString Shown(const std::string& cp1252);
std::string Held(const QString& text);

void WriteText(QLineEdit* edit, const std::string& cp1252);
void WriteText(QComboBox* box, const std::string& cp1252);
void WriteChecked(QAbstractButton* button, bool checked);
void WriteShown(QWidget* widget, bool shown);
void WriteEnabled(QWidget* widget, bool enabled);
// A control the page's rules show and hide keeps its place while hidden, so
// nothing else moves under the user's mouse.
void KeepPlaceWhenHidden(std::initializer_list<QWidget*> widgets);

// A label with a mnemonic, the buddy taking the focus and (for a screen
// reader) the label's words as its name.
QLabel* BuddyLabel(const QString& text, int id, QWidget* buddy, QWidget* parent);
// A plain label (a unit, a heading) under its identifier (0: a label the
// node's template does not number).
QLabel* PlainLabel(const QString& text, int id, QWidget* parent);

} // namespace mnm::editor
