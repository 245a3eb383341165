#include "cli/Commands.h"

#include "cli/RecordJson.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ConfigFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace mnm::cli {

namespace {

constexpr const char* kUsage = "mnm build JSON -o FILE";

// The whole file is made in memory first, so a failure writes nothing.
bool WriteWhole(const std::string& path, const std::string& bytes)
{
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
            out.close();
            std::remove(partial.c_str());
            return false;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

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
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    if (SaveToFile(stored, file) != 0 || !WriteWhole(output, file.str())) {
        PrintFailure(-2102);
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace mnm::cli
