#include "tests/cli/RunTool.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {
std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
} // namespace

std::string TempDir()
{
    char name[] = "/tmp/mnm-test-XXXXXX";
    const char* dir = mkdtemp(name);
    return dir ? dir : "/tmp";
}

ToolResult RunTool(const std::vector<std::string>& args)
{
    static const std::string dir = TempDir();
    std::string command = MNM_BIN;
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + dir + "/out 2>" + dir + "/err </dev/null";
    ToolResult r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(dir + "/out");
    r.err = Slurp(dir + "/err");
    return r;
}
