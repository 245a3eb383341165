#include "fleet/ProvisionJournal.h"

#include <algorithm>

#include "nodeconf/CsvText.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/WholeFile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mnm {

namespace {

constexpr std::string_view kJournalSuffix = ".journal";
constexpr char kLineEnd = '\n';
constexpr mode_t kJournalMode = 0666; // less the user's umask

enum JournalCell { kTime, kNetwork, kNode, kRow, kPort, kOutcome, kDetail, kJournalCells };

constexpr std::array kOutcomes = {ProvisionOutcome::Done, ProvisionOutcome::Failed, ProvisionOutcome::Stopped};

bool ParseInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && !text.empty();
}

// One record of the file as an entry, or false with the reason.
bool EntryOf(const CsvRecord& record, JournalEntry& entry, std::string& why)
{
    if (record.cells.size() != kJournalCells) {
        why = std::to_string(record.cells.size()) + " cells where a journal line has " + std::to_string(kJournalCells);
        return false;
    }
    const auto& cells = record.cells;
    if (cells[kTime].empty()) {
        why = "no time";
        return false;
    }
    if (!ParseInt(cells[kNode], entry.node)) {
        why = "the node number \"" + cells[kNode] + "\" is not a number";
        return false;
    }
    if (!ParseInt(cells[kRow], entry.row)) {
        why = "the row \"" + cells[kRow] + "\" is not a number";
        return false;
    }
    const auto known = std::find_if(std::begin(kOutcomes), std::end(kOutcomes),
                                    [&](ProvisionOutcome o) { return cells[kOutcome] == OutcomeWord(o); });
    if (known == std::end(kOutcomes)) {
        why = "unknown outcome \"" + cells[kOutcome] + "\"";
        return false;
    }
    entry = JournalEntry{cells[kTime], cells[kNetwork], entry.node, entry.row, cells[kPort], *known, cells[kDetail]};
    return true;
}

} // namespace

std::string_view OutcomeWord(ProvisionOutcome outcome)
{
    switch (outcome) {
    case ProvisionOutcome::Done: return "done";
    case ProvisionOutcome::Failed: return "failed";
    case ProvisionOutcome::Stopped: return "stopped";
    }
    return "";
}

std::string JournalTime(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[sizeof "2024-05-01T13:45:12"];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string JournalPath(const std::string& tablePath) { return tablePath + std::string(kJournalSuffix); }

std::string JournalLine(const JournalEntry& entry)
{
    const std::string cells[kJournalCells] = {
        SingleLine(entry.time), SingleLine(entry.network), std::to_string(entry.node), std::to_string(entry.row),
        SingleLine(entry.port), std::string(OutcomeWord(entry.outcome)), SingleLine(entry.detail)};
    return CsvLine(cells);
}

bool ReadJournal(const std::string& path, std::vector<JournalEntry>& entries, std::string& error)
{
    entries.clear();
    std::string text;
    const FileStatus status = ReadRegularFile(path, kMaxJournalBytes, text);
    if (status.fault == FileFault::CannotOpen && status.systemError == std::errc::no_such_file_or_directory)
        return true;
    if (status.fault != FileFault::None) {
        error = path + ": " + FileFaultText(status);
        return false;
    }
    std::vector<CsvRecord> records;
    CsvFault fault;
    if (!SplitCsv(text, records, fault)) {
        error = path + ": line " + std::to_string(fault.row) + ": " + fault.reason;
        return false;
    }
    for (const CsvRecord& record : records) {
        if (record.IsBlank()) continue;
        JournalEntry entry;
        std::string why;
        if (!EntryOf(record, entry, why)) {
            error = path + ": line " + std::to_string(record.row) + ": " + why;
            entries.clear();
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

std::set<std::pair<std::string, int>> DoneNodes(const std::vector<JournalEntry>& entries)
{
    std::map<std::pair<std::string, int>, ProvisionOutcome> last;
    for (const JournalEntry& e : entries) last[{e.network, e.node}] = e.outcome;
    std::set<std::pair<std::string, int>> done;
    for (const auto& [node, outcome] : last)
        if (outcome == ProvisionOutcome::Done) done.insert(node);
    return done;
}

bool JournalCanBeWritten(const std::string& path, std::string& error)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            error = path + ": not a regular file";
            return false;
        }
        if (::access(path.c_str(), W_OK) == 0) return true;
    } else if (errno == ENOENT) {
        if (::access(FolderOf(path).c_str(), W_OK | X_OK) == 0) return true;
    }
    error = path + ": " + FileFaultText(SystemFileFault(FileFault::CannotOpen, errno));
    return false;
}

bool AppendJournal(const std::string& path, const JournalEntry& entry, std::string& error)
{
    std::string line = JournalLine(entry) + kLineEnd;
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kJournalMode);
    if (fd < 0) {
        error = path + ": " + FileFaultText(SystemFileFault(FileFault::CannotOpen, errno));
        return false;
    }
    // A last line left without its line end (an editor took it) would have
    // this one glued to it and the journal refused from then on. Two writers
    // both seeing it add a blank line, which reading passes over. (A line
    // torn by a full disk stays torn: reading refuses it rather than guess.)
    struct stat info {};
    const bool made = ::fstat(fd, &info) == 0 && info.st_size == 0;
    char last = kLineEnd;
    if (info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != kLineEnd)
        line.insert(line.begin(), kLineEnd);
    // One write of the whole line: with O_APPEND the system places it at the
    // end in one piece, whatever other threads append at the same time.
    ssize_t written;
    do {
        written = ::write(fd, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    const int writeFault = written < 0 ? errno : 0;
    const bool whole = written >= 0 && static_cast<std::size_t>(written) == line.size();
    const int syncFault = whole && ::fsync(fd) != 0 ? errno : 0;
    const int closeFault = ::close(fd) != 0 ? errno : 0;
    // A journal just made keeps its name in the folder too, as far as the
    // folder allows: the line itself is on the disk already, so a failed
    // flush of the folder does not make it a line not written.
    if (whole && syncFault == 0 && made) SyncFolderOf(path);
    if (whole && syncFault == 0 && closeFault == 0) return true;
    if (written >= 0 && !whole) {
        error = path + ": only " + std::to_string(written) + " of the line's " + std::to_string(line.size()) +
                " bytes were written";
        return false;
    }
    const int fault = writeFault != 0 ? writeFault : syncFault != 0 ? syncFault : closeFault;
    error = path + ": " + FileFaultText(SystemFileFault(FileFault::WriteFailed, fault));
    return false;
}

} // namespace mnm
