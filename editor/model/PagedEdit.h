// A text edit that holds a fixed number of pages of bounded length, one shown
// at a time (the SMS messages and numbers, the dialup telephone numbers).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mnm::editor {

class PagedEdit {
public:
    PagedEdit(int pages, int length);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int PageLength() const { return length_; }
    int CurrentPage() const { return current_; }

    // What the edit shows now; typing replaces it (cut to the page length).
    const std::string& EditText() const { return edit_; }
    void SetEditText(std::string_view text);

    // With save, the edit's text first goes into the page it leaves.
    void SetPage(int page, bool save);
    void Turn(int delta) { SetPage(current_ + delta, true); }

    // The page's length (the current page read from the edit), copying the
    // text when asked; -1 for a page that does not exist.
    int GetPage(int page, std::string* text = nullptr) const;
    // -1 for a page that does not exist.
    int PutPage(int page, std::string_view text);

    // Back to page 1, unsaved, with every page empty.
    void Clear();
    int TotalLength() const;

    bool operator==(const PagedEdit&) const = default;

private:
    int length_;
    std::vector<std::string> pages_;
    int current_ = 1;
    std::string edit_;
};

} // namespace mnm::editor
