#include "app/model/MRUList.h"

#include <algorithm>

#include "app/model/MenuText.h"

namespace mnm::app {

int MRUList::Append(std::string_view path)
{
    if (path.empty() || Count() >= kRecentFiles) return 0;
    entries_.emplace_back(path);
    return Count();
}

void MRUList::Touch(std::string_view path)
{
    if (path.empty()) return;
    auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found != entries_.end()) {
        std::rotate(entries_.begin(), found, found + 1);
        return;
    }
    if (Count() >= kRecentFiles) entries_.pop_back();
    entries_.emplace(entries_.begin(), path);
}

std::optional<std::string> MRUList::Entry(int number) const
{
    if (number < 1 || number > Count()) return std::nullopt;
    return entries_[static_cast<std::size_t>(number - 1)];
}

std::string RecentFileMenuText(int number, std::string_view path)
{
    return "&" + std::to_string(number) + "  " + EscapeMnemonics(path);
}

} // namespace mnm::app
