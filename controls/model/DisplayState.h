// The on/off state of the lamp and picture controls, and the size a picture
// is drawn at.
#pragma once

namespace mnm::controls {

inline constexpr int kStateUnknown = -1;
inline constexpr int kStateOff = 0;
inline constexpr int kStateOn = 1;

// 0 and 1 stay; anything else is unknown.
int ShownState(int state);

// How the state reads to a screen reader.
const char* StateName(int state);

// The side of the square a picture is drawn in: the largest of the stock
// sizes that fits both width and height, else the smallest.
int PictureSide(int width, int height);

} // namespace mnm::controls
