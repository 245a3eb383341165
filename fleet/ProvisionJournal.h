// The provisioning journal: a plain-text file beside the table, one CSV line
// per node's outcome, written as each node finishes so that an interrupted
// run leaves every finished node recorded and a new run resumes after them.
#pragma once

#include <cstdint>
#include <ctime>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mnm {

enum class ProvisionOutcome { Done, Failed, Stopped };

// A line: TIME,NETWORK,NODE,ROW,PORT,OUTCOME,DETAIL.
struct JournalEntry {
    std::string time;    // local, ISO 8601 to the second
    std::string network; // the network name (UTF-8)
    int node = 0;
    int row = 0;         // the table's row at the time
    std::string port;
    ProvisionOutcome outcome = ProvisionOutcome::Done;
    std::string detail;  // a message, or empty
};

// Journals larger than this are refused unread: a line is some hundred bytes.
inline constexpr std::uintmax_t kMaxJournalBytes = 16u * 1024 * 1024;

// "done", "failed", "stopped" as the journal spells them.
std::string_view OutcomeWord(ProvisionOutcome outcome);

// Local time "2024-05-01T13:45:12" for the entry's time.
std::string JournalTime(std::time_t when);

// The table's path + ".journal".
std::string JournalPath(const std::string& tablePath);

// The entry's line without its line end. Line breaks inside its texts become
// spaces, so each entry stays one line of the file.
std::string JournalLine(const JournalEntry& entry);

// Reads the journal (a missing file is an empty journal). Returns false with
// a message naming the file, and for an unreadable line its number; entries
// are then not to be used: a resumed run must not guess which nodes are done.
bool ReadJournal(const std::string& path, std::vector<JournalEntry>& entries, std::string& error);

// The nodes (network name, node number) whose last entry is `done`: a
// resumed run skips them. Keyed by node, not row, so an edited table still
// skips the right nodes.
std::set<std::pair<std::string, int>> DoneNodes(const std::vector<JournalEntry>& entries);

// Whether the journal can take lines: the file, or its folder when there is
// none yet, may be written. Checked before any node is touched, so that no
// node is programmed without its line.
bool JournalCanBeWritten(const std::string& path, std::string& error);

// Appends the entry's line and has it on the disk before returning. Safe to
// call from several threads or processes at once without a lock: the file is
// opened O_APPEND and the whole line goes in one write, so lines never mix.
bool AppendJournal(const std::string& path, const JournalEntry& entry, std::string& error);

} // namespace mnm
