#include "tools/LivePage.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "editor/PageControls.h"

namespace mnm::tools {

namespace {
constexpr int kEditFrame = 12; // an edit's frame and margins beside its text

void OnWindowColour(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    widget->setBackgroundRole(QPalette::Window);
}
} // namespace

void UseWorkspaceColour(QWidget* page)
{
    page->setAutoFillBackground(true);
    page->setBackgroundRole(QPalette::Dark);
}

QFrame* Panel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    OnWindowColour(panel);
    return panel;
}

QGroupBox* PanelGroup(const QString& title, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    OnWindowColour(group);
    return group;
}

QPushButton* PageButton(int id, const QString& text, QWidget* parent)
{
    auto* button = editor::Named(new QPushButton(text, parent), id);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NarrowEdit(int id, int characters, QWidget* parent)
{
    auto* edit = editor::Named(new QLineEdit(parent), id);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QString(characters, '0')) + kEditFrame);
    return edit;
}

} // namespace mnm::tools
