// The comparison of the open configuration with the node's: a heading and a
// read-only list of lines, Copy for the clipboard, Close (or Escape) to go.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

namespace mnm::reports {

class CompareReportDialog : public QDialog {
    Q_OBJECT
public:
    // `copyText` is what Copy and Ctrl+C put on the clipboard.
    CompareReportDialog(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                        const QString& copyText);

    QString Heading() const;
    QStringList Lines() const;
    QListWidget* List() const { return list_; }

    void Copy() const;

private:
    QLabel* heading_;
    QListWidget* list_;
    QString copyText_;
};

// Runs the report through the modal host.
void ShowCompareReport(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                       const QString& copyText);

} // namespace mnm::reports
