// The error report: one message with a picture and an OK button, sized to
// the message. Only OK (or Enter) closes it.
#pragma once

#include <QDialog>

class QPushButton;

namespace mnm::controls {
class StatusIcon;
class StatusText;
}

namespace mnm::reports {

class MNMEDialog : public QDialog {
    Q_OBJECT
public:
    MNMEDialog(QWidget* parent, const QString& text, const QString& title, int icon);

    QString Text() const;
    int Icon() const { return icon_; }

public slots:
    void reject() override {}  // Escape does nothing

private:
    int icon_;
    controls::StatusText* text_;
};

} // namespace mnm::reports
