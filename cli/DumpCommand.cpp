#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "records/RecordJson.h"
#include "cli/RecordText.h"

#include <cstdio>

namespace mnm::cli {

namespace {
constexpr const char* kUsage = "mnm dump [--json] FILE";
}

int RunDump(const std::vector<std::string>& args)
{
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\nPrints every field of the configuration file FILE; --json prints it as one JSON object.\n", kUsage);
            return kExitOk;
        }
        if (a == "--json") json = true;
        else if (a.starts_with("-") && a != "-") return UsageError("unknown option " + a, kUsage);
        else files.push_back(a);
    }
    if (files.size() != 1) return UsageError("dump takes one FILE", kUsage);

    NodeConf conf;
    if (!LoadConfigFile(conf, files[0])) return kExitFailure;
    const std::string out = json ? RecordToJson(conf).dump(2) + "\n" : RecordToText(conf);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

} // namespace mnm::cli
