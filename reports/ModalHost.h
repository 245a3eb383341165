// Every modal window of the program opens through this one interface, so a
// test can answer in its place instead of blocking in exec().
#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace mnm::reports {

class ModalHost {
public:
    virtual ~ModalHost() = default;

    // Runs a dialog modally; its result.
    virtual int RunDialog(QDialog& dialog) = 0;

    // A question or notice with standard buttons; the button chosen.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                            const QString& text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;

    // The file chosen, or an empty text when the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
};

// The host in use: the screen, unless a test has put its own in place.
ModalHost& Modal();
// Puts a host in place (not owned); nullptr brings the screen back.
void SetModalHost(ModalHost* host);

} // namespace mnm::reports
