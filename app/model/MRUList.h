// The recent-files list: up to six paths, most recent first, kept in the
// settings MRUF#1 .. MRUF#6. Whether a file still exists is not its concern:
// the caller touches a path only after the file opened or saved.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingNames.h"

namespace mnm::app {

inline constexpr int kRecentFiles = kRecentFileSettings;

// One setting to write, or to delete when `value` is empty.
struct SettingChange {
    std::string name;
    std::optional<std::string> value;

    bool operator==(const SettingChange&) const = default;
};

using SettingReader = std::function<std::string(std::string_view name)>;

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

    // Entries 1..n written, the remaining names up to 6 deleted.
    std::vector<SettingChange> SaveChanges() const;
    // Reads MRUF#1 on and stops at the first empty value.
    void Load(const SettingReader& read);

    bool operator==(const MRUList&) const = default;

private:
    std::vector<std::string> entries_;
};

std::string RecentFileSettingName(int number);

// The menu item: "&1  " and the path, its "&" doubled so it shows as itself.
std::string RecentFileMenuText(int number, std::string_view path);

} // namespace mnm::app
