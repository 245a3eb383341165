#include "app/LiveViews.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mnm::app {

QWidget* MakeEmptyLiveView(const char* id, const QString& title, QWidget* parent)
{
    auto* view = new QWidget(parent);
    view->setObjectName(QString::fromLatin1(id));
    view->setAccessibleName(title);
    auto* label = new QLabel(QObject::tr("%1\n\nThis view comes in a later version.").arg(title), view);
    label->setAlignment(Qt::AlignCenter);
    label->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(view);
    layout->addWidget(label);
    return view;
}

} // namespace mnm::app
