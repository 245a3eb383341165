// The main window's caption: program title, version, file name and the
// modified mark.
#pragma once

#include <string>
#include <string_view>

#include "app/model/ConfigState.h"

namespace mnm::app {

inline constexpr char kProgramTitle[] = "Morvane Node Manager";
// Longest file name the caption shows, in characters.
inline constexpr int kCaptionNameLimit = 40;

struct CaptionSettings {
    bool showVersion = true;       // DisplayVersionInCaption, toggled by the indicator
    bool trinomialVersions = false; // DisplayVersionNumbersAsTrinomials
    bool showFullPath = true;      // ShowFullPathInCaption
};

// `versionText` is the program's version, e.g. "2.05.0057".
std::string CaptionText(std::string_view programTitle, std::string_view versionText,
                        const CaptionSettings& settings, const ConfigState& state);

// The name part: "<Untitled>" for an open untitled configuration, then cut to
// the limit: leading path components dropped ("..." in front) when the full
// path is shown, otherwise "{NameTooLong}".
std::string CaptionName(const ConfigState& state, bool showFullPath);

} // namespace mnm::app
