#include "editor/model/PagedEdit.h"

#include <algorithm>

namespace mnm::editor {

PagedEdit::PagedEdit(int pages, int length)
    : length_(std::max(0, length)), pages_(static_cast<std::size_t>(std::max(1, pages)))
{
}

void PagedEdit::SetEditText(std::string_view text) { edit_ = std::string(text.substr(0, length_)); }

void PagedEdit::SetPage(int page, bool save)
{
    if (save) pages_[current_ - 1] = edit_;
    current_ = std::clamp(page, 1, PageCount());
    edit_ = pages_[current_ - 1];
}

int PagedEdit::GetPage(int page, std::string* text) const
{
    if (page < 1 || page > PageCount()) return -1;
    const std::string& held = page == current_ ? edit_ : pages_[page - 1];
    if (text) *text = held;
    return static_cast<int>(held.size());
}

int PagedEdit::PutPage(int page, std::string_view text)
{
    if (page < 1 || page > PageCount()) return -1;
    pages_[page - 1] = std::string(text.substr(0, length_));
    if (page == current_) edit_ = pages_[page - 1];
    return 0;
}

void PagedEdit::Clear()
{
    for (std::string& p : pages_) p.clear();
    current_ = 1;
    edit_.clear();
}

int PagedEdit::TotalLength() const
{
    int total = 0;
    for (int n = 1; n <= PageCount(); ++n) total += GetPage(n);
    return total;
}

} // namespace mnm::editor
