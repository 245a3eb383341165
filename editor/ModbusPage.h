// The Modbus page: the character framing of the node's serial data highway.
#pragma once

#include <QWidget>

class QCheckBox;
class QRadioButton;

namespace mnm::editor {

class PageHost;

class ModbusPage : public QWidget {
    Q_OBJECT
public:
    ModbusPage(PageHost& host, QWidget* parent = nullptr);

    void Refresh();

private:
    PageHost& host_;
    QRadioButton* rtu_;
    QRadioButton* ascii_;
    QRadioButton* eightBit_;
    QRadioButton* sevenBit_;
    QRadioButton* parity_[4]; // in the order of editor::Parity
    QCheckBox* checkParity_;
};

} // namespace mnm::editor
