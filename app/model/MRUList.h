// The recent-files list: up to six paths, most recent first (the settings
// keep them as MRUF#1 .. MRUF#6). Whether a file still exists is not its
// concern: the caller touches a path only after the file opened or saved.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingNames.h"

namespace mnm::app {

inline constexpr int kRecentFiles = kRecentFileSettings;

class MRUList {
public:
    // Adds at the end: the new count, or 0 for an empty path or a full list
    // (nothing changes then).
    int Append(std::string_view path);
    // Moves the path to entry 1 (exact comparison), or inserts it there and
    // drops entry 6. An empty path changes nothing.
    void Touch(std::string_view path);
    // Entry 1 .. Count(); nothing otherwise.
    std::optional<std::string> Entry(int number) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear() { entries_.clear(); }

    const std::vector<std::string>& Entries() const { return entries_; }

    bool operator==(const MRUList&) const = default;

private:
    std::vector<std::string> entries_;
};

// The menu item: "&1  " and the path, its "&" doubled so it shows as itself.
std::string RecentFileMenuText(int number, std::string_view path);

} // namespace mnm::app
