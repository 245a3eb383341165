// mnm node-sim: a virtual node on a new pseudo-terminal, for trying the
// program and the other commands without hardware.
#include "cli/Commands.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/InputFiles.h"
#include "sim/VirtualNode.h"

namespace mnm::cli {

namespace {

constexpr auto kNodeTextInterval = std::chrono::seconds(30);

volatile sig_atomic_t gInterrupted = 0;

void OnSignal(int) { gInterrupted = 1; }

struct Options {
    std::string config;
    std::string version;
    std::string link;
    bool pace = false;
};

int NodeSim(const Options& o)
{
    NodeConf conf;
    if (!o.config.empty()) {
        if (!LoadConfigFile(conf, o.config)) return kExitFailure;
    }
    VirtualNode node;
    node.WithState([&](NodeModel& s) {
        if (!o.config.empty()) s.SetConfig(conf);
        if (!o.version.empty()) s.SetVersion(o.version);
    });
    node.SetPace(o.pace);
    node.SetNodeTextInterval(kNodeTextInterval);
    node.SetRequestLog([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    if (!node.Start()) {
        std::fprintf(stderr, "mnm: cannot open a pseudo-terminal\n");
        return kExitFailure;
    }
    if (!o.link.empty()) {
        struct stat st {};
        // Replace a link left by an earlier run, but never a real file.
        if (lstat(o.link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) unlink(o.link.c_str());
        if (symlink(node.DevicePath().c_str(), o.link.c_str()) != 0) {
            std::fprintf(stderr, "mnm: cannot create the link %s\n", o.link.c_str());
            return kExitFailure;
        }
    }
    std::printf("%s\n", node.DevicePath().c_str());
    std::fflush(stdout);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal ends it cleanly too (its link removed), unless it was
    // started to outlive the terminal.
    struct sigaction hangUp {};
    if (sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN) sigaction(SIGHUP, &action, nullptr);
    while (!gInterrupted) std::this_thread::sleep_for(std::chrono::milliseconds(50));

    node.Stop();
    if (!o.link.empty()) unlink(o.link.c_str());
    return kExitOk;
}

} // namespace

void AddNodeSimCommand(CommandLine& line)
{
    auto o = std::make_shared<Options>();
    CLI::App* c = line.AddCommand("node-sim", "run a virtual node on a new pseudo-terminal",
                                  "mnm node-sim [--config FILE] [--version TEXT] [--link PATH] [--pace]",
                                  "Runs a virtual node on a new pseudo-terminal, prints the terminal's path,\n"
                                  "and serves until interrupted; each request it handles is logged on stderr.");
    c->add_option("--config", o->config, "the configuration the node holds at start")->option_text("FILE");
    c->add_option("--version", o->version, "the software version it reports (default 2.08.0050)")->option_text("TEXT");
    c->add_option("--link", o->link, "also make PATH a symbolic link to the terminal")->option_text("PATH");
    c->add_flag("--pace", o->pace, "deliver bytes no faster than a real 9600-baud line");
    line.OnChosen(c, [o] { return NodeSim(*o); });
}

} // namespace mnm::cli
