#include "controls/model/DisplayState.h"

#include <array>

namespace mnm::controls {

namespace {

constexpr std::array<int, 6> kPictureSides = {64, 48, 40, 32, 24, 16};
constexpr int kSmallestPictureSide = 8;

} // namespace

int ShownState(int state) { return state == kStateOff || state == kStateOn ? state : kStateUnknown; }

const char* StateName(int state)
{
    switch (ShownState(state)) {
    case kStateOn: return "On";
    case kStateOff: return "Off";
    default: return "Unknown";
    }
}

int PictureSide(int width, int height)
{
    for (int side : kPictureSides)
        if (side <= width && side <= height) return side;
    return kSmallestPictureSide;
}

} // namespace mnm::controls
