// The Network page: the node's radio network fields, its communication
// hardware (which decides the other pages) and the explanatory window that
// helps with the Transmit Interval, Maximum Retries and Alarm Delay.
#pragma once

#include <QWidget>

#include "editor/model/NetworkExplain.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace mnm::editor {

class PageHost;
class WizardWindow;

class NetworkPage : public QWidget {
    Q_OBJECT
public:
    NetworkPage(PageHost& host, QWidget* parent = nullptr);

    // A new or loaded configuration: no explanation stands.
    void Reset();
    // Shows the contents under the page's rules (`current`: page 1 is shown).
    void Refresh(bool current);
    void Tick();
    WizardWindow* Wizard() const { return wizard_; }

private:
    QLineEdit* AddField(int row, int labelId, const QString& label, int editId, int unitId = 0,
                        const QString& unit = {});
    void TimeFieldEdited(NetworkField field, const QString& text);
    void Correct(int command);
    void ModemBoxClicked(bool leasedLine);
    void Explained();

    PageHost& host_;
    Explanation explanation_;
    QGridLayout* grid_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* node_ = nullptr;
    QLineEdit* channel_ = nullptr;
    QComboBox* power_ = nullptr;
    QLineEdit* interval_ = nullptr;
    QLineEdit* retries_ = nullptr;
    QLineEdit* alarm_ = nullptr;
    QLineEdit* preTransmit_ = nullptr;
    QCheckBox* uhf_ = nullptr;
    QCheckBox* dialup_ = nullptr;
    QCheckBox* leased_ = nullptr;
    QCheckBox* lowPowerTransmitter_ = nullptr;
    QCheckBox* lowPowerReceiver_ = nullptr;
    QLabel* help_ = nullptr;
    WizardWindow* wizard_ = nullptr;
    QList<QWidget*> radioFields_; // enabled only with the UHF radio
    QLabel* intervalMinutes_ = nullptr;
    QLabel* alarmMinutes_ = nullptr;
};

} // namespace mnm::editor
