#include "nodeconf/CsvText.h"

#include <algorithm>

namespace mnm {

namespace {

constexpr char kSeparator = ',';
constexpr char kQuote = '"';
constexpr std::string_view kNeedsQuotes = ",\"\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Steps over one line end at `at` (CR LF counts as one).
std::size_t SkipLineEnd(std::string_view text, std::size_t at)
{
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
    return at + 1;
}

} // namespace

bool CsvRecord::IsBlank() const
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); });
}

std::string CsvCell(std::string_view text)
{
    if (text.find_first_of(kNeedsQuotes) == std::string_view::npos) return std::string(text);
    std::string cell(1, kQuote);
    for (const char c : text) {
        if (c == kQuote) cell += kQuote;
        cell += c;
    }
    return cell + kQuote;
}

std::string CsvLine(std::span<const std::string> cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += kSeparator;
        line += CsvCell(cells[i]);
    }
    return line;
}

std::string SingleLine(std::string_view text)
{
    std::string line;
    for (std::size_t at = 0; at < text.size();) {
        if (IsLineEnd(text[at])) {
            line += ' ';
            at = SkipLineEnd(text, at);
        } else {
            line += text[at++];
        }
    }
    return line;
}

bool SplitCsv(std::string_view text, std::vector<CsvRecord>& records, CsvFault& fault)
{
    records.clear();
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

    std::size_t at = 0;
    int row = 0;
    while (at < text.size()) {
        CsvRecord record{++row, {}};
        bool recordEnded = false;
        while (!recordEnded) {
            std::string cell;
            if (at < text.size() && text[at] == kQuote) {
                ++at;
                bool closed = false;
                while (at < text.size()) {
                    const char c = text[at++];
                    if (c != kQuote) {
                        cell += c;
                    } else if (at < text.size() && text[at] == kQuote) {
                        cell += kQuote;
                        ++at;
                    } else {
                        closed = true;
                        break;
                    }
                }
                if (!closed) {
                    fault = {row, "a quoted cell is not closed"};
                    return false;
                }
                if (at < text.size() && text[at] != kSeparator && !IsLineEnd(text[at])) {
                    fault = {row, "text after the closing quote of cell " + std::to_string(record.cells.size() + 1)};
                    return false;
                }
            } else {
                // Unquoted: everything up to the next comma or line end, a
                // stray quote included as it stands.
                while (at < text.size() && text[at] != kSeparator && !IsLineEnd(text[at])) cell += text[at++];
            }
            record.cells.push_back(std::move(cell));
            if (at < text.size() && text[at] == kSeparator) {
                ++at;
            } else {
                if (at < text.size()) at = SkipLineEnd(text, at);
                recordEnded = true;
            }
        }
        records.push_back(std::move(record));
    }
    return true;
}

} // namespace mnm
