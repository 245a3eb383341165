// A lamp: its colour when on, the dialog's face otherwise.
#pragma once

#include "controls/TwoStateControl.h"

namespace mnm::controls {

class ColoredPanel : public TwoStateControl {
    Q_OBJECT
public:
    explicit ColoredPanel(const QColor& colour, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
};

} // namespace mnm::controls
