#include "cli/InputFiles.h"

#include "cli/Commands.h"
#include "records/RecordJson.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/RegularFile.h"

#include <system_error>

namespace mnm::cli {

std::optional<Report> LoadConfigPath(NodeConf& conf, const std::string& path)
{
    FileStatus file;
    Report report = LoadFromPath(conf, path, &file);
    if (file.fault != FileFault::None) {
        PrintPathFailure(path, file);
        return std::nullopt;
    }
    return report;
}

bool LoadConfigFile(NodeConf& conf, const std::string& path)
{
    const std::optional<Report> report = LoadConfigPath(conf, path);
    if (!report) return false;
    if (!report->ok()) PrintFailure(*report);
    return report->ok();
}

std::filesystem::path SamePathKey(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::path(path) : resolved;
}

std::optional<std::string> ReadJsonPath(const std::string& path)
{
    std::string text;
    const FileStatus file = ReadRegularFile(path, kMaxRecordJsonBytes, text);
    if (file.fault != FileFault::None) {
        PrintPathFailure(path, file);
        return std::nullopt;
    }
    return text;
}

} // namespace mnm::cli
