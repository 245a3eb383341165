#include "reports/model/DialogGeometry.h"

#include <algorithm>

namespace mnm::reports {

namespace {

constexpr int kDialogUnitsPerCharWidth = 4;
constexpr int kDialogUnitsPerCharHeight = 8;
// Pixels from the text area to the icon and OK, and from OK to the dialog's
// bottom edge.
constexpr int kGapBelowText = 12;
constexpr int kGapBelowOk = 16;

int Scale(int units, int base, int per)
{
    // Rounded to nearest, as the window system converts dialog units.
    const long long scaled = static_cast<long long>(units) * base;
    return static_cast<int>((scaled + (scaled >= 0 ? per / 2 : -per / 2)) / per);
}

} // namespace

Rect ToPixels(const Rect& du, const BaseUnits& base)
{
    return {Scale(du.x, base.x, kDialogUnitsPerCharWidth), Scale(du.y, base.y, kDialogUnitsPerCharHeight),
            Scale(du.width, base.x, kDialogUnitsPerCharWidth), Scale(du.height, base.y, kDialogUnitsPerCharHeight)};
}

Size ToPixels(const Size& du, const BaseUnits& base)
{
    return {Scale(du.width, base.x, kDialogUnitsPerCharWidth), Scale(du.height, base.y, kDialogUnitsPerCharHeight)};
}

ErrorReportLayout LayoutErrorReport(const Rect& text, const Rect& icon, const Rect& ok, int textHeight)
{
    ErrorReportLayout layout;
    layout.text = text;
    layout.text.height = std::clamp(textHeight, 0, text.height);
    const int row = layout.text.Bottom() + kGapBelowText;
    layout.icon = {text.x, row, icon.width, icon.height};
    layout.ok = {ok.x, row, ok.width, ok.height};
    layout.height = layout.ok.Bottom() + kGapBelowOk;
    return layout;
}

Rect PlaceErrorReport(const Rect& parent, const Size& dialog)
{
    return {parent.x + (parent.width - dialog.width) / 2, parent.y + parent.height * 4 / 5 - dialog.height,
            dialog.width, dialog.height};
}

Rect PlaceCentred(const Rect& parent, const Size& dialog)
{
    return {parent.x + (parent.width - dialog.width) / 2, parent.y + (parent.height - dialog.height) / 2,
            dialog.width, dialog.height};
}

} // namespace mnm::reports
