#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "editor/model/Transfer.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"

#include <cstdio>

namespace mnm::cli {

namespace {

int Verify(const std::vector<std::string>& files)
{
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

} // namespace

void AddVerifyCommand(CommandLine& line)
{
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* c = line.AddCommand("verify", "check configuration files as Verify does", "mnm verify FILE...",
                                  "Checks each configuration FILE as Verify does and prints FILE: MESSAGE.");
    c->add_option("FILE", *files, "the configuration files (.mnc)")->required();
    line.OnChosen(c, [files] { return Verify(*files); });
}

} // namespace mnm::cli
