#include "tests/cli/RunTool.h"

#include "settings/Settings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}
} // namespace

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempDir()
{
    char name[] = "/tmp/mnm-test-XXXXXX";
    const char* dir = mkdtemp(name);
    return dir ? dir : "/tmp";
}

namespace {
const char* kDropToNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
}

bool CanRunUnprivileged()
{
    if (geteuid() != 0) return true;
    const std::string probe = std::string(kDropToNobody) + "true >/dev/null 2>&1";
    return std::system(probe.c_str()) == 0;
}

ToolResult RunTool(const std::vector<std::string>& args, bool unprivileged)
{
    static const std::string dir = TempDir();
    std::string command = unprivileged && geteuid() == 0 ? kDropToNobody : "";
    command += MNM_BIN;
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + dir + "/out 2>" + dir + "/err </dev/null";
    ToolResult r;
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(command.c_str());
    r.milliseconds = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadWholeFile(dir + "/out");
    r.err = ReadWholeFile(dir + "/err");
    return r;
}

pid_t SpawnTool(const std::vector<std::string>& args, const std::string& errFile, int* out)
{
    int pipeFds[2] = {-1, -1};
    if (out != nullptr && pipe(pipeFds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        if (out != nullptr) {
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
        }
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        // As a terminal's shell starts it, whatever the test runner ignores
        // or blocks: the tests send these signals.
        sigset_t stops;
        sigemptyset(&stops);
        for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
            signal(s, SIG_DFL);
            sigaddset(&stops, s);
        }
        sigprocmask(SIG_UNBLOCK, &stops, nullptr);
        std::vector<char*> argv{const_cast<char*>(MNM_BIN)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(MNM_BIN, argv.data());
        _exit(127);
    }
    if (out != nullptr) {
        close(pipeFds[1]);
        *out = pipeFds[0];
    }
    return pid;
}

void UsePrivateSettings(const std::string& dir)
{
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    mnm::EnsureSettingsKey();
    mnm::WriteSettingDefaults();
}

std::string ReadLine(int fd)
{
    std::string line;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

void NodeToolTest::SetUp()
{
    dir_ = TempDir();
    UsePrivateSettings(dir_);
    mnm::WriteSetting(mnm::kSettingNipQueryTimeout, "200");
}
