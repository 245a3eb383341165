// Rectangles of the two modal dialogs: their templates in dialog units, the
// conversion to pixels through the font, and where each dialog goes.
#pragma once

namespace mnm::reports {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Bottom() const { return y + height; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The font's dialog base units: average character width and character height.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// Dialog units (a quarter of the average character width, an eighth of the
// character height) to pixels, rounded to nearest.
Rect ToPixels(const Rect& dialogUnits, const BaseUnits& base);
Size ToPixels(const Size& dialogUnits, const BaseUnits& base);

// The error report's template, in dialog units.
struct ErrorReportTemplate {
    static constexpr Size kDialog{270, 153};
    static constexpr Rect kText{6, 4, 258, 100};
    static constexpr Rect kIcon{6, 112, 16, 16};
    static constexpr Rect kOk{110, 136, 50, 14};
};

// The unsaved prompt's template, in dialog units.
struct UnsavedPromptTemplate {
    static constexpr Size kDialog{171, 112};
    static constexpr Rect kQuestion{12, 8, 124, 28};
    static constexpr Rect kYes{14, 44, 144, 14};
    static constexpr Rect kNo{14, 60, 144, 14};
    static constexpr Rect kCancel{14, 84, 144, 14};
};

// The error report laid out round its message, in client pixels.
struct ErrorReportLayout {
    Rect text;
    Rect icon;
    Rect ok;
    int height = 0;  // the dialog's client height
};

// `text`, `icon` and `ok` are the template's rectangles in pixels; the text
// area shrinks to `textHeight` (it never grows), icon and OK go a fixed gap
// below it and the dialog ends a fixed gap below OK.
ErrorReportLayout LayoutErrorReport(const Rect& text, const Rect& icon, const Rect& ok, int textHeight);

// Centred across the parent, its bottom edge at four fifths of the parent's
// height.
Rect PlaceErrorReport(const Rect& parent, const Size& dialog);

// Centred over the parent both ways.
Rect PlaceCentred(const Rect& parent, const Size& dialog);

} // namespace mnm::reports
