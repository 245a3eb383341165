// A picture that shows one of two icons by state, or nothing.
#pragma once

#include "controls/DisplayControl.h"
#include "controls/model/DisplayState.h"

namespace mnm::controls {

class StatusIcon : public DisplayControl {
    Q_OBJECT
public:
    StatusIcon(int offIcon, int onIcon, QWidget* parent = nullptr);

    // 0 or 1; anything else is unknown (-1) and draws nothing.
    void SetState(int state);
    int State() const { return state_; }
    // The picture number drawn now; 0 when none.
    int ShownIcon() const;

    QString ShownText() const override { return QString::fromLatin1(StateName(state_)); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int offIcon_;
    int onIcon_;
    int state_ = kStateUnknown;
};

} // namespace mnm::controls
