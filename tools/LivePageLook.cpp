#include "tools/LivePageLook.h"

#include <QFrame>
#include <QGroupBox>

namespace mnm::tools {

namespace {
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

} // namespace mnm::tools
