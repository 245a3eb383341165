// mnm diff: every field that differs between two configurations, each a
// file or the configuration a node holds.
#include "cli/Commands.h"

#include <cstdio>
#include <optional>

#include "cli/InputFiles.h"
#include "cli/NodeSession.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"
#include "records/RecordDiff.h"
#include "transfer/RecordAsSent.h"

namespace mnm::cli {

namespace {

constexpr std::string_view kNodePrefix = "node:";
constexpr int kExitDifferent = 1;
// A side that cannot be read is trouble, not a difference: scripts tell the
// two apart by the status.
constexpr int kExitTrouble = 2;
constexpr int kJsonIndent = 2;

struct DiffOptions {
    std::string a, b;
    bool json = false;
};

struct Side {
    NodeConf record;
    bool fromNode = false;
};

// The record of one side, or the status to end with after saying why not.
std::optional<int> ReadSide(const std::string& name, Side& side)
{
    if (!name.starts_with(kNodePrefix)) {
        // Named, as either side may be the one that does not load.
        const std::optional<Report> loaded = LoadConfigPath(side.record, name);
        if (!loaded) return kExitTrouble;
        if (!loaded->ok()) return Finish({kExitTrouble, name + ": " + Cp1252ToUtf8(MessageOf(*loaded))});
        return std::nullopt;
    }
    const std::string port = name.substr(kNodePrefix.size());
    if (!PortCanBeOpened(port)) return kExitTrouble;
    NodeSession session(port);
    StepResult read = session.WaitForNode();
    if (read.ok()) read = session.Receive(side.record);
    if (!read.ok()) return read.status == kExitFailure ? Finish({kExitTrouble, read.failure}) : Finish(read);
    side.fromNode = true;
    return std::nullopt;
}

int Diff(const DiffOptions& o)
{
    Side a, b;
    if (const std::optional<int> status = ReadSide(o.a, a)) return *status;
    if (const std::optional<int> status = ReadSide(o.b, b)) return *status;
    // Beside a node, what only the send's own rules change in a file (the
    // highway byte) is no difference.
    if (a.fromNode != b.fromNode) {
        Side& file = a.fromNode ? b : a;
        const Side& node = a.fromNode ? a : b;
        file.record = ComparableWithNode(file.record, node.record);
    }
    const std::vector<FieldDifference> diffs = DiffRecords(a.record, b.record);
    if (o.json) {
        std::printf("%s\n", DifferencesToJson(diffs).dump(kJsonIndent).c_str());
    } else {
        for (const FieldDifference& d : diffs) std::printf("%s\n", DifferenceText(d).c_str());
    }
    return diffs.empty() ? kExitOk : kExitDifferent;
}

} // namespace

void AddDiffCommand(CommandLine& line)
{
    auto o = std::make_shared<DiffOptions>();
    CLI::App* c = line.AddCommand(
        "diff", "print every field that differs between two configurations", "mnm diff [--json] A B",
        "Prints every field that differs between A and B, one line each: PATH: A -> B, the\n"
        "path as dump --json names it, the values as the editor writes them. A and B are\n"
        "configuration files or node:DEVICE, the configuration of the node on DEVICE.\n"
        "Exit status 0 when they are equal, 1 when they differ, 2 when either cannot be read.");
    c->add_flag("--json", o->json, "print a list of {path, a, b} objects");
    c->add_option("A", o->a, "a configuration file or node:DEVICE")->required();
    c->add_option("B", o->b, "a configuration file or node:DEVICE")->required();
    line.OnChosen(c, [o] { return Diff(*o); });
}

} // namespace mnm::cli
