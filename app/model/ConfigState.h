// The open configuration's state as the frame keeps it: which view holds
// it, whether it was changed, and its file.
#pragma once

#include <string>

namespace mnm::app {

inline constexpr int kNoConfiguration = 0; // blank view or a live tool
inline constexpr int kEditorShown = 1;
inline constexpr int kLiveToolShown = 2; // a configuration is open behind a live tool

struct ConfigState {
    int openState = kNoConfiguration;
    bool modified = false;
    std::string fileName; // empty for an untitled configuration

    bool operator==(const ConfigState&) const = default;
};

} // namespace mnm::app
