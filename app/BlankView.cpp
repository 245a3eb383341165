#include "app/BlankView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

namespace mnm::app {

QString DroppedPath(const QList<QUrl>& urls)
{
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QFileInfo file(urls.front().toLocalFile());
    return file.isSymLink() ? file.symLinkTarget() : file.filePath();
}

BlankView::BlankView(QWidget* parent) : QWidget(parent)
{
    setObjectName("DIALOG_BLANK");
    setAccessibleName(tr("No configuration open"));
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* hint = new QLabel(tr("No configuration is open.\n\nChoose New or Open in the Node Configuration menu, "
                               "Receive from Node, or drop a configuration file here."),
                            this);
    hint->setObjectName("3050");
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
}

void BlankView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedPath(event->mimeData()->urls()).isEmpty()) event->acceptProposedAction();
}

void BlankView::dropEvent(QDropEvent* event)
{
    const QString path = DroppedPath(event->mimeData()->urls());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    emit FileDropped(path);
}

} // namespace mnm::app
