// mnm provision: many nodes programmed in one sitting from a template and a
// table, one connection per port, the ports working at the same time, each
// node's outcome journalled beside the table so a stopped run resumes.
#include "cli/Commands.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <system_error>
#include <thread>

#include "cli/InputFiles.h"
#include "cli/NodeProgramming.h"
#include "cli/NodeSession.h"
#include "cli/ProvisionBoard.h"
#include "fleet/ProvisionJournal.h"
#include "fleet/ProvisionTable.h"
#include "nodeconf/RegularFile.h"
#include "nodeconf/TextEncoding.h"

namespace mnm::cli {

namespace {

constexpr std::uintmax_t kMaxTableBytes = 4u * 1024 * 1024;
constexpr auto kDrawInterval = std::chrono::milliseconds(100);
constexpr auto kAttachPoll = std::chrono::milliseconds(20);
// How long a new node may take to say who it is before it is programmed anyway.
constexpr auto kIdentityWait = std::chrono::seconds(3);
constexpr const char* kDefaultBackupFolder = "backups";

struct ProvisionOptions {
    std::string templ, table, backupDir;
    std::vector<std::string> ports;
};

using NodeKey = std::pair<std::string, int>; // network name (UTF-8), node number

// The rows still to program, each port taking the next when it has a node,
// and the nodes already done, so that a programmed node put on again is not
// taken for a new one.
class RowQueue {
public:
    RowQueue(std::deque<ProvisionRow> rows, std::set<NodeKey> done) : rows_(std::move(rows)), done_(std::move(done))
    {
    }
    bool IsDone(const NodeKey& node)
    {
        std::lock_guard<std::mutex> guard(lock_);
        return done_.count(node) != 0;
    }
    void MarkDone(const NodeKey& node)
    {
        std::lock_guard<std::mutex> guard(lock_);
        done_.insert(node);
    }
    std::optional<ProvisionRow> Take()
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (rows_.empty()) return std::nullopt;
        ProvisionRow row = std::move(rows_.front());
        rows_.pop_front();
        return row;
    }
    bool Empty()
    {
        std::lock_guard<std::mutex> guard(lock_);
        return rows_.empty();
    }

private:
    std::mutex lock_; // guards rows_ and done_
    std::deque<ProvisionRow> rows_;
    std::set<NodeKey> done_;
};

struct Tally {
    std::atomic<int> done{0}, failed{0}, stopped{0};
    std::atomic<int> unjournalled{0}; // outcomes the journal could not take
};

NodeKey KeyOf(const NodeConf& conf) { return {Cp1252ToUtf8(conf.networkName), conf.nodeNumber}; }

std::string NodeName(const ProvisionRow& row)
{
    return "row " + std::to_string(row.row) + " (node " + std::to_string(row.conf.nodeNumber) + " of " +
           Cp1252ToUtf8(row.conf.networkName) + ")";
}

// One port's work: wait for a node, take the next row, program the node,
// journal it; then wait for the operator to put the next node on.
class PortWorker {
public:
    PortWorker(std::size_t index, const ProvisionOptions& options, const WorkerOptions& workerOptions,
               RowQueue& queue, ProvisionBoard& board, const StopSignals& stop, Tally& tally)
        : index_(index), port_(options.ports[index]), options_(options), workerOptions_(workerOptions),
          queue_(queue), board_(board), stop_(stop), tally_(tally)
    {
    }

    void Run()
    {
        NodeSession session(port_, stop_, [this](const std::string& text) { Status(current_, Staged(text)); },
                            workerOptions_);
        // How the last node here ended: it must go before the next comes.
        std::optional<ProvisionOutcome> previous;
        while (!stop_.Caught() && !queue_.Empty()) {
            if (!WaitForNode(session, previous)) break;
            std::optional<ProvisionRow> row = queue_.Take();
            if (!row) break;
            current_ = NodeName(*row);
            previous = Program(session, *row);
            if (!previous) break;
            current_.clear();
        }
        const char* end = "finished";
        if (stop_.Caught()) end = "stopped";
        else if (gone_) end = "port gone";
        else if (journalBroken_) end = "stopped: the journal cannot be written";
        board_.SetStatus(index_, end);
    }

private:
    std::string Staged(const std::string& progress) const
    {
        return progress.empty() ? stage_ : stage_ + " " + progress;
    }

    void Status(const std::string& node, const std::string& text)
    {
        board_.SetStatus(index_, node.empty() ? text : node + ": " + text);
    }
    // Whether the port's device is there: looked for, not opened, as the
    // session holds the port open for itself alone.
    bool DeviceThere() const
    {
        std::error_code error;
        return std::filesystem::exists(port_, error);
    }
    // A wait for the operator to put a node on or take one off.
    void Prompt(const std::string& text) { board_.SetStatus(index_, text, ProvisionBoard::kPrompt); }

    // Waits while the condition holds, the run goes on and rows are left.
    void WaitWhile(const std::function<bool()>& condition)
    {
        while (condition() && !stop_.Caught() && !queue_.Empty()) std::this_thread::sleep_for(kAttachPoll);
    }

    // False when the run ends first: stopped, or nothing left to program.
    bool WaitForNode(NodeSession& session, std::optional<ProvisionOutcome> previous)
    {
        Worker& worker = session.worker();
        if (previous) {
            // Said as it ended, so that a failed node is not put with the done ones.
            Prompt(std::string(OutcomeWord(*previous)) + "; remove the node");
            WaitWhile([&] { return worker.IsNodeConnected(); });
            if (stop_.Caught() || queue_.Empty()) return false; // asks for no node then
        }
        while (true) {
            // An adapter pulled while no node is on it may come back: the
            // link opens it again, so the port waits, saying so.
            bool shownThere = DeviceThere();
            Prompt(shownThere ? "attach a node" : "the port is gone; waiting for it");
            WaitWhile([&] {
                if (worker.IsNodeConnected()) return false;
                const bool there = DeviceThere();
                if (there != shownThere) Prompt(there ? "attach a node" : "the port is gone; waiting for it");
                shownThere = there;
                return true;
            });
            if (!worker.IsNodeConnected() || stop_.Caught()) return false;
            // A node that already holds a finished row is one put on again.
            const auto end = std::chrono::steady_clock::now() + kIdentityWait;
            WaitWhile([&] {
                return worker.Snapshot().nodeNumber == kUnknownNodeNumber && std::chrono::steady_clock::now() < end;
            });
            const WorkerSnapshot now = worker.Snapshot();
            if (now.nodeNumber == kUnknownNodeNumber || !queue_.IsDone({now.networkName, now.nodeNumber})) return true;
            Prompt("node " + std::to_string(now.nodeNumber) + " of " + now.networkName + " is done already; remove it");
            WaitWhile([&] { return worker.IsNodeConnected(); });
            if (stop_.Caught() || queue_.Empty()) return false;
        }
    }

    // How the node ended, or nothing when this port can do no more: stopped,
    // the port gone, or the journal refusing its line.
    std::optional<ProvisionOutcome> Program(NodeSession& session, const ProvisionRow& row)
    {
        const ProgrammingOptions how{options_.backupDir, true, SendCommit::kAsSetting, [this](const std::string& stage) {
                                         stage_ = stage;
                                         Status(current_, stage_);
                                     }};
        std::string backupPath;
        const StepResult result = ProgramNode(session, row.conf, how, backupPath);
        JournalEntry entry{JournalTime(std::time(nullptr)), Cp1252ToUtf8(row.conf.networkName), row.conf.nodeNumber,
                           row.row, port_, ProvisionOutcome::Done, ""};
        if (result.ok()) {
            entry.detail = backupPath.empty() ? "verified" : "verified; backup " + backupPath;
            ++tally_.done;
            queue_.MarkDone(KeyOf(row.conf));
        } else if (stop_.Caught()) {
            entry.outcome = ProvisionOutcome::Stopped;
            entry.detail = "stopped by a signal";
            ++tally_.stopped;
        } else {
            entry.outcome = ProvisionOutcome::Failed;
            entry.detail = result.failure;
            ++tally_.failed;
            // A port whose device is gone (an adapter pulled) takes no more
            // nodes. Its device is looked for, not opened: the session holds
            // the port open for itself alone.
            gone_ = !DeviceThere();
            if (gone_) entry.detail += " (" + port_ + " is gone)";
        }
        board_.Announce(port_ + ": " + NodeName(row) + ": " + std::string(OutcomeWord(entry.outcome)) +
                        (entry.detail.empty() ? "" : ": " + entry.detail));
        // Without its line a done node would be programmed again by the next
        // run, and the run's status would say all went well: this port takes
        // no more nodes, and the run fails.
        if (std::string error; !AppendJournal(JournalPath(options_.table), entry, error)) {
            board_.Announce("mnm: " + error + "; " + NodeName(row) + " is not journalled", ProvisionBoard::kError);
            ++tally_.unjournalled;
            journalBroken_ = true;
            return std::nullopt;
        }
        if (entry.outcome == ProvisionOutcome::Done || (entry.outcome == ProvisionOutcome::Failed && !gone_))
            return entry.outcome;
        return std::nullopt;
    }

    std::size_t index_;
    std::string port_;
    const ProvisionOptions& options_;
    const WorkerOptions& workerOptions_;
    RowQueue& queue_;
    ProvisionBoard& board_;
    const StopSignals& stop_;
    Tally& tally_;
    std::string current_; // the node being programmed, for the status line
    std::string stage_;   // what is being done with it
    bool gone_ = false;
    bool journalBroken_ = false;
};

// The rows to program, or the status to end with after saying why not.
std::optional<int> ReadRows(const ProvisionOptions& o, std::deque<ProvisionRow>& pending, std::set<NodeKey>& done,
                            std::size_t& total)
{
    NodeConf templ;
    if (!LoadConfigFile(templ, o.templ)) return kExitFailure;
    std::string csv;
    if (const FileStatus file = ReadRegularFile(o.table, kMaxTableBytes, csv); file.fault != FileFault::None) {
        PrintPathFailure(o.table, file);
        return kExitFailure;
    }
    std::vector<ProvisionRow> rows;
    std::vector<std::string> errors;
    if (!BuildProvisionRows(csv, templ, rows, errors)) {
        for (const std::string& e : errors) std::fprintf(stderr, "mnm: %s: %s\n", o.table.c_str(), e.c_str());
        std::fprintf(stderr, "mnm: %s: nothing was sent\n", o.table.c_str());
        return kExitFailure;
    }
    std::vector<JournalEntry> journal;
    std::string error;
    if (!ReadJournal(JournalPath(o.table), journal, error)) {
        std::fprintf(stderr, "mnm: %s\n", error.c_str());
        return kExitFailure;
    }
    done = DoneNodes(journal);
    total = rows.size();
    for (ProvisionRow& row : rows) {
        if (done.count(KeyOf(row.conf)) != 0)
            std::printf("%s: done before, skipped\n", NodeName(row).c_str());
        else
            pending.push_back(std::move(row));
    }
    return std::nullopt;
}

int Provision(ProvisionOptions o)
{
    std::deque<ProvisionRow> pending;
    std::set<NodeKey> done;
    std::size_t total = 0;
    if (const std::optional<int> status = ReadRows(o, pending, done, total)) return *status;
    if (o.backupDir.empty()) {
        o.backupDir = (std::filesystem::path(o.table).parent_path() / kDefaultBackupFolder).string();
        std::error_code error;
        // Why it could not be made is the message worth giving.
        if (!std::filesystem::exists(o.backupDir, error) && !std::filesystem::create_directory(o.backupDir, error) &&
            error)
            return Finish({kExitFailure, "backup folder " + o.backupDir + ": " + error.message()});
    }
    if (std::string whyNot; !BackupFolderUsable(o.backupDir, whyNot)) return Finish({kExitFailure, whyNot});
    if (std::string whyNot; !JournalCanBeWritten(JournalPath(o.table), whyNot)) return Finish({kExitFailure, whyNot});
    for (const std::string& port : o.ports)
        if (!PortCanBeOpened(port)) return kExitFailure;
    const std::size_t skipped = total - pending.size();
    if (pending.empty()) {
        std::printf("all %zu nodes are done\n", total);
        return kExitOk;
    }

    // The node's identity is read on every pass, to tell one node from the next.
    const WorkerOptions workerOptions = SessionOptions(true);
    // Blocked here, before the port threads start, so they inherit it.
    StopSignals stop(nullptr);
    RowQueue queue(std::move(pending), std::move(done));
    ProvisionBoard board(o.ports, isatty(STDERR_FILENO) == 1);
    Tally tally;
    std::atomic<std::size_t> running{o.ports.size()};
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < o.ports.size(); ++i) {
        threads.emplace_back([&, i] {
            PortWorker(i, o, workerOptions, queue, board, stop, tally).Run();
            --running;
        });
    }
    while (running.load() > 0) {
        board.Draw();
        std::this_thread::sleep_for(kDrawInterval);
    }
    threads.clear();
    board.Draw(true);

    const std::size_t left = total - skipped - tally.done - tally.failed - tally.stopped;
    std::printf("%d programmed, %d failed, %d stopped, %zu done before, %zu not started; journal %s\n",
                tally.done.load(), tally.failed.load(), tally.stopped.load(), skipped, left,
                JournalPath(o.table).c_str());
    if (tally.unjournalled > 0)
        std::fprintf(stderr, "mnm: %d outcome(s) are not in the journal: a new run would program those nodes again\n",
                     tally.unjournalled.load());
    if (stop.Caught()) return stop.ExitStatus();
    return tally.failed == 0 && tally.unjournalled == 0 && left == 0 ? kExitOk : kExitFailure;
}

} // namespace

void AddProvisionCommand(CommandLine& line)
{
    auto o = std::make_shared<ProvisionOptions>();
    CLI::App* c = line.AddCommand(
        "provision", "program many nodes from a template and a table, several ports at once",
        "mnm provision --template T.mnc --table TABLE.csv --port DEVICE [--port DEVICE ...] [--backup-dir DIR]",
        "Builds one configuration per row of TABLE (a column per dump --json key: nodeNumber,\n"
        "networkName, radioChannel, ...) from the template T and checks them all; a bad table\n"
        "is refused whole. Then, on each DEVICE at the same time: waits for a node, backs its\n"
        "configuration up into DIR (default: backups beside the table), sends the row's\n"
        "configuration, reads it back to verify, and journals the outcome in TABLE.csv.journal;\n"
        "after each node it waits for the next to be attached. A new run skips the nodes the\n"
        "journal says are done. Ctrl-C stops every port cleanly.");
    c->add_option("--template", o->templ, "the configuration every node starts from")->option_text("T.mnc")->required();
    c->add_option("--table", o->table, "one row per node, a column per field")->option_text("TABLE.csv")->required();
    c->add_option("--port", o->ports, "a serial port with a node on it; give one per port")
        ->option_text("DEVICE")
        ->required()
        ->allow_extra_args(false); // one device per --port
    c->add_option("--backup-dir", o->backupDir, "where the nodes' old configurations go")->option_text("DIR");
    // Two links on one device would mix their frames on the line.
    c->parse_complete_callback([o] {
        std::set<std::filesystem::path> seen;
        for (const std::string& port : o->ports)
            if (!seen.insert(SamePathKey(port)).second) throw CLI::ValidationError("--port", port + " is given twice");
    });
    line.OnChosen(c, [o] { return Provision(*o); });
}

} // namespace mnm::cli
