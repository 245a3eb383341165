#include "cli/Commands.h"

#include "cli/InputFiles.h"
#include "records/RecordJson.h"
#include "cli/RecordText.h"

#include <cstdio>

namespace mnm::cli {

namespace {

struct DumpOptions {
    bool json = false;
    std::string file;
};

int Dump(const DumpOptions& o)
{
    NodeConf conf;
    if (!LoadConfigFile(conf, o.file)) return kExitFailure;
    const std::string out = o.json ? RecordToJson(conf).dump(2) + "\n" : RecordToText(conf);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}

} // namespace

void AddDumpCommand(CommandLine& line)
{
    auto o = std::make_shared<DumpOptions>();
    CLI::App* c = line.AddCommand("dump", "print every field of a configuration file (--json for JSON)",
                                  "mnm dump [--json] FILE",
                                  "Prints every field of the configuration file FILE; --json prints it as one JSON object.");
    c->add_flag("--json", o->json, "print the record as one JSON object");
    c->add_option("FILE", o->file, "the configuration file (.mnc)")->required();
    line.OnChosen(c, [o] { return Dump(*o); });
}

} // namespace mnm::cli
