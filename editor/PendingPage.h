// A page whose editing this version does not have yet (Connections, SMS,
// Dialup): it says what the configuration holds there, which is kept, saved
// and sent as it is. The Dialup page still holds the telephone-number block.
#pragma once

#include <QWidget>

#include <functional>

#include "editor/model/EditorContents.h"

class QLabel;
class QVBoxLayout;

namespace mnm::editor {

class PendingPage : public QWidget {
    Q_OBJECT
public:
    using Summary = std::function<QString(const EditorContents&)>;
    PendingPage(const QString& objectName, Summary summary, QWidget* parent = nullptr);

    void Refresh(const EditorContents& e);
    void HoldTelephoneBlock(QWidget* block);

private:
    Summary summary_;
    QLabel* text_;
    QVBoxLayout* blockSlot_;
};

} // namespace mnm::editor
