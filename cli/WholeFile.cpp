#include "cli/WholeFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "nodeconf/ConfigFile.h"

namespace mnm::cli {

int SaveWhole(const NodeConf& conf, const std::string& path)
{
    constexpr int kCannotWrite = -2102;
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    if (SaveToFile(conf, file) != 0) return kCannotWrite;
    const std::string bytes = file.str();
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
            out.close();
            std::remove(partial.c_str());
            return kCannotWrite;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return kCannotWrite;
    }
    return 0;
}

} // namespace mnm::cli
