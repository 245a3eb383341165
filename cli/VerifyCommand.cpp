#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"

#include <cstdio>

namespace mnm::cli {

namespace {
constexpr const char* kUsage = "mnm verify FILE...";
}

int RunVerify(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            std::printf("usage: %s\nChecks each configuration FILE as Verify does and prints FILE: MESSAGE.\n", kUsage);
            return kExitOk;
        }
        if (a.starts_with("-") && a != "-") return UsageError("unknown option " + a, kUsage);
        files.push_back(a);
    }
    if (files.empty()) return UsageError("verify takes at least one FILE", kUsage);

    bool allPassed = true;
    for (const std::string& file : files) {
        NodeConf conf;
        const std::optional<Report> loaded = LoadConfigPath(conf, file);
        if (!loaded) {
            allPassed = false;
            continue;
        }
        const Report report = loaded->ok() ? editor::VerifyRecord(conf) : *loaded;
        allPassed = allPassed && report.ok();
        std::printf("%s: %s\n", file.c_str(), Cp1252ToUtf8(MessageOf(report)).c_str());
    }
    return allPassed ? kExitOk : kExitFailure;
}

} // namespace mnm::cli
