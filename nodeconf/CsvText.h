// Comma-separated text as spreadsheets write it: cells quoted when they hold
// a comma, a quote or a line break, quotes doubled inside quotes. Shared by
// the provisioning table (read), its journal (written and read) and the
// monitor's reading log (written).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mnm {

// One record of the text. `row` counts records from 1 as a spreadsheet
// numbers its rows: an empty line is a row too, and a quoted cell that spans
// lines keeps its record on one row.
struct CsvRecord {
    int row = 0;
    std::vector<std::string> cells;

    // An empty line, or one of empty cells only (",,," as spreadsheets save
    // an empty row).
    bool IsBlank() const;
};

// One cell as written: quoted, its quotes doubled, only when it needs it.
std::string CsvCell(std::string_view text);

// The cells joined by commas, each as CsvCell writes it; no line end.
std::string CsvLine(std::span<const std::string> cells);

// The text with each line break (CR LF, LF or CR) made one space: for
// messages that have to stay on one line of a list or a journal.
std::string SingleLine(std::string_view text);

// Why the text could not be split, and on which row.
struct CsvFault {
    int row = 0;
    std::string reason;
};

// Splits the text into records. Lines end with LF, CR LF or CR; a UTF-8 byte
// order mark at the start is skipped; the last line needs no line end.
// Returns false with `fault` set when a quoted cell is never closed or a
// closing quote is followed by anything but a comma or a line end; `records`
// is then not to be used.
bool SplitCsv(std::string_view text, std::vector<CsvRecord>& records, CsvFault& fault);

} // namespace mnm
