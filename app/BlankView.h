// The view shown while no configuration is open: it takes one dropped file.
#pragma once

#include <QWidget>

namespace mnm::app {

class BlankView : public QWidget {
    Q_OBJECT
public:
    explicit BlankView(QWidget* parent = nullptr);

signals:
    // Exactly one local file was dropped; a symbolic link gives its target.
    void FileDropped(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The path a drop of `urls` opens: empty unless it holds exactly one local file.
QString DroppedPath(const QList<QUrl>& urls);

} // namespace mnm::app
