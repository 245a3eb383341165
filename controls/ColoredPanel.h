// A lamp: its colour when on, the dialog's face otherwise.
#pragma once

#include "controls/DisplayControl.h"
#include "controls/model/DisplayState.h"

namespace mnm::controls {

class ColoredPanel : public DisplayControl {
    Q_OBJECT
public:
    explicit ColoredPanel(const QColor& colour, QWidget* parent = nullptr);

    // 0 or 1; anything else is unknown (-1).
    void SetState(int state);
    int State() const { return state_; }

    QString ShownText() const override { return QString::fromLatin1(StateName(state_)); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int state_ = kStateUnknown;
};

} // namespace mnm::controls
