// A temporary view of the open configuration, until the editor's pages
// exist: its network name, node number and what its tables hold. It shows
// the editor's contents; it does not edit them.
#pragma once

#include <QWidget>

#include "editor/model/EditorContents.h"

class QFormLayout;
class QLabel;

namespace mnm::app {

class SummaryView : public QWidget {
    Q_OBJECT
public:
    explicit SummaryView(QWidget* parent = nullptr);

    void Show(const editor::EditorContents& contents);

private:
    QLabel* AddRow(QFormLayout* form, const QString& label, const char* id);

    QLabel* name_;
    QLabel* node_;
    QLabel* channel_;
    QLabel* connections_;
    QLabel* routes_;
    QLabel* alerts_;
    QLabel* dialups_;
};

} // namespace mnm::app
