#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "records/RecordJson.h"
#include "records/StoredValues.h"
#include "nodeconf/WholeFile.h"
#include "editor/model/Transfer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace mnm::cli {

namespace {

int Build(const std::string& input, const std::string& output)
{
    const std::optional<std::string> text = ReadJsonPath(input);
    if (!text) return kExitFailure;
    const auto json = nlohmann::ordered_json::parse(*text, nullptr, false);
    if (json.is_discarded()) {
        std::fprintf(stderr, "mnm: %s: not valid JSON\n", input.c_str());
        return kExitFailure;
    }
    NodeConf record;
    std::string error;
    if (!JsonToRecord(json, record, error)) {
        PrintFailureText(error);
        return kExitFailure;
    }
    NodeConf stored;
    if (const Report report = editor::VerifyRecord(record, &stored); !report.ok()) {
        PrintFailure(report);
        return kExitFailure;
    }
    // The stored record is what is written, as Save writes it; a value the
    // JSON gives that the store changed is said, so it is not lost unseen.
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    for (const StoredOtherwise& change : ValuesStoredOtherwise(RecordToJson(record), stored, keys))
        std::fprintf(stderr, "mnm: %s: note: %s\n", input.c_str(), StoredOtherwiseText(change).c_str());
    if (const FileStatus saved = SaveWhole(stored, output); saved.fault != FileFault::None) {
        PrintPathFailure(output, saved);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

void AddBuildCommand(CommandLine& line)
{
    auto paths = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App* c = line.AddCommand("build", "build a configuration file from JSON, after the check of Save",
                                  "mnm build JSON -o FILE",
                                  "Builds the configuration file FILE from a JSON record (the schema of dump --json),\n"
                                  "after the same check as Save.");
    c->add_option("JSON", paths->first, "the record as JSON")->required();
    c->add_option("-o", paths->second, "the configuration file to write")->option_text("FILE")->required();
    line.OnChosen(c, [paths] { return Build(paths->first, paths->second); });
}

} // namespace mnm::cli
