// The base of the lamp and the status picture: a state of 0, 1 or unknown,
// repainted only when it changes.
#pragma once

#include "controls/DisplayControl.h"
#include "controls/model/DisplayState.h"

namespace mnm::controls {

class TwoStateControl : public DisplayControl {
    Q_OBJECT
public:
    explicit TwoStateControl(QWidget* parent = nullptr);

    // 0 or 1; anything else is unknown (-1).
    void SetState(int state);
    int State() const { return state_; }

    QString ShownText() const override { return QString::fromLatin1(StateName(state_)); }

private:
    int state_ = kStateUnknown;
};

} // namespace mnm::controls
