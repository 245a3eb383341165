// mnm check-network: the faults no single-node check sees, across all the
// configurations of one network.
#include "cli/Commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/InputFiles.h"
#include "fleet/NetworkCheck.h"
#include "nodeconf/ErrorCatalogue.h"
#include "nodeconf/TextEncoding.h"

namespace mnm::cli {

namespace {

constexpr const char* kConfigExtension = ".mnc";

bool IsConfigName(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == kConfigExtension;
}

// The configuration files a folder holds, by name; the folder's own files
// only, so a backup folder inside it is not taken for more nodes. Every
// entry so named is taken whatever it is, so that a broken link or a
// folder of that name is said by the load rather than passed over.
bool FolderFiles(const std::string& dir, std::vector<std::string>& files)
{
    std::error_code error;
    std::vector<std::string> found;
    std::filesystem::directory_iterator entry(dir, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        if (IsConfigName(entry->path())) found.push_back(entry->path().string());
    if (error) {
        std::fprintf(stderr, "mnm: %s: %s\n", dir.c_str(), error.message().c_str());
        return false;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
}

int CheckNetworkFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    bool allRead = true;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) allRead = FolderFiles(path, files) && allRead;
        else files.push_back(path);
    }
    // A file named and also in a named folder is one node, not two.
    std::set<std::filesystem::path> seen;
    std::erase_if(files, [&](const std::string& file) { return !seen.insert(SamePathKey(file)).second; });
    std::vector<NetworkMember> members;
    for (const std::string& file : files) {
        NetworkMember member{file, {}};
        const std::optional<Report> loaded = LoadConfigPath(member.conf, file);
        if (!loaded) {
            allRead = false;
            continue;
        }
        if (!loaded->ok()) {
            std::printf("%s: %s\n", file.c_str(), Cp1252ToUtf8(MessageOf(*loaded)).c_str());
            allRead = false;
            continue;
        }
        members.push_back(std::move(member));
    }
    if (members.empty()) {
        if (allRead) std::fprintf(stderr, "mnm: no configuration files to check\n");
        return kExitFailure;
    }
    const std::vector<NetworkFinding> findings = CheckNetwork(members);
    for (const NetworkFinding& f : findings) std::printf("%s: %s\n", f.file.c_str(), f.text.c_str());
    if (findings.empty() && allRead)
        std::printf("%zu configurations, no findings\n", members.size());
    return findings.empty() && allRead ? kExitOk : kExitFailure;
}

} // namespace

void AddCheckNetworkCommand(CommandLine& line)
{
    auto paths = std::make_shared<std::vector<std::string>>();
    CLI::App* c = line.AddCommand(
        "check-network", "check the configurations of one network against each other",
        "mnm check-network DIR|FILE...",
        "Checks the configurations of one network (the .mnc files of each DIR, and each\n"
        "FILE) for what no single-node check sees: node numbers used twice, another network\n"
        "name, connections to nodes that are not there, routes through missing nodes,\n"
        "destinations the routes do not reach or that loop, and telephone references to\n"
        "empty slots. Prints FILE: FINDING for each; exit status 1 when there is any.");
    c->add_option("DIR|FILE", *paths, "a folder of configuration files, or a file")->required();
    line.OnChosen(c, [paths] { return CheckNetworkFiles(*paths); });
}

} // namespace mnm::cli
