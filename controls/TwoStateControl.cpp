#include "controls/TwoStateControl.h"

namespace mnm::controls {

TwoStateControl::TwoStateControl(QWidget* parent) : DisplayControl(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TwoStateControl::SetState(int state)
{
    const int shown = ShownState(state);
    if (shown == state_) return;
    state_ = shown;
    AnnounceShownText();
    update();
}

} // namespace mnm::controls
