#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "records/RecordJson.h"
#include "nodeconf/WholeFile.h"
#include "editor/model/Transfer.h"

#include <cstdio>

namespace mnm::cli {

namespace {
constexpr const char* kUsage = "mnm build JSON -o FILE";
} // namespace

int RunBuild(const std::vector<std::string>& args)
{
    std::string input, output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\nBuilds the configuration file FILE from a JSON record (the schema of dump --json),\n"
                        "after the same check as Save.\n",
                        kUsage);
            return kExitOk;
        }
        if (a == "-o") {
            if (++i == args.size()) return UsageError("-o needs a FILE", kUsage);
            output = args[i];
        } else if (a.starts_with("-") && a != "-") {
            return UsageError("unknown option " + a, kUsage);
        } else if (input.empty()) {
            input = a;
        } else {
            return UsageError("build takes one JSON file", kUsage);
        }
    }
    if (input.empty() || output.empty()) return UsageError("build needs JSON and -o FILE", kUsage);

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
    if (const FileStatus saved = SaveWhole(stored, output); saved.fault != FileFault::None) {
        PrintPathFailure(output, saved);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace mnm::cli
