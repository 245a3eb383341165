#include "cli/Commands.h"

#include "cli/RecordJson.h"
#include "cli/WholeFile.h"
#include "editor/model/Transfer.h"

#include <cstdio>
#include <fstream>
#include <sstream>

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

    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mnm: cannot read %s\n", input.c_str());
        return kExitFailure;
    }
    std::stringstream text;
    text << in.rdbuf();
    const auto json = nlohmann::ordered_json::parse(text.str(), nullptr, false);
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
    if (int code = editor::VerifyRecord(record, &stored)) {
        PrintFailure(code);
        return kExitFailure;
    }
    if (const int code = SaveWhole(stored, output)) {
        PrintFailure(code);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace mnm::cli
