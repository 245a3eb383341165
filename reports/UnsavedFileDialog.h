// Asks whether to save a modified configuration before it would be lost.
#pragma once

#include <QDialog>

#include "reports/model/UnsavedPrompt.h"

class QLabel;

namespace mnm::reports {

class UnsavedFileDialog : public QDialog {
    Q_OBJECT
public:
    // Enter, Escape and the window's close button all cancel.
    UnsavedFileDialog(QWidget* parent, const QString& question, const QString& cancelText);

    QString Question() const;

public slots:
    void reject() override { done(static_cast<int>(UnsavedAnswer::Cancel)); }

private:
    QLabel* question_;
};

// Runs the prompt through the modal host.
UnsavedAnswer AskUnsaved(QWidget* parent, const QString& question, const QString& cancelText);

} // namespace mnm::reports
