// A settings store of the benchmark's own, at the defaults, so the
// operator's settings stay untouched; programs it starts inherit it.
#pragma once

#include <cstdlib>
#include <string>

#include "settings/Settings.h"

namespace mnm {

// False when no private folder could be made.
inline bool UsePrivateBenchSettings(std::string& folder)
{
    char dir[] = "/tmp/mnm-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr) return false;
    folder = dir;
    setenv("XDG_CONFIG_HOME", dir, 1);
    EnsureSettingsKey();
    WriteSettingDefaults();
    return true;
}

} // namespace mnm
