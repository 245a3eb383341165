#include "cli/InputFiles.h"

#include "cli/Commands.h"
#include "cli/RecordJson.h"
#include "nodeconf/ConfigFile.h"
#include "nodeconf/RegularFile.h"

namespace mnm::cli {

std::optional<int> LoadConfigPath(NodeConf& conf, const std::string& path)
{
    FileStatus file;
    const int code = LoadFromPath(conf, path, &file);
    if (file.fault != FileFault::None) {
        PrintPathFailure(path, file);
        return std::nullopt;
    }
    return code;
}

bool LoadConfigFile(NodeConf& conf, const std::string& path)
{
    const std::optional<int> code = LoadConfigPath(conf, path);
    if (code && *code != 0) PrintFailure(*code);
    return code == 0;
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
