#include "reports/ModalHost.h"

#include <QDialog>
#include <QFileDialog>

namespace mnm::reports {

namespace {

class ScreenModalHost : public ModalHost {
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override
    {
        QMessageBox box(icon, title, text, buttons, parent);
        box.setTextFormat(Qt::PlainText);  // messages may quote file names and node texts
        box.setDefaultButton(defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString OpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, folder, filter);
    }

    QString SaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, title, folder, filter);
    }
};

ScreenModalHost screen;
ModalHost* current = &screen;

} // namespace

ModalHost& Modal() { return *current; }

void SetModalHost(ModalHost* host) { current = host ? host : &screen; }

} // namespace mnm::reports
