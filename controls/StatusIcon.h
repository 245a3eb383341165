// A picture that shows one of two icons by state, or nothing.
#pragma once

#include "controls/TwoStateControl.h"

namespace mnm::controls {

class StatusIcon : public TwoStateControl {
    Q_OBJECT
public:
    StatusIcon(int offIcon, int onIcon, QWidget* parent = nullptr);

    // The picture number drawn now; 0 when none.
    int ShownIcon() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int offIcon_;
    int onIcon_;
};

} // namespace mnm::controls
