#include "app/ConfigFiles.h"

#include "nodeconf/ConfigFile.h"
#include "nodeconf/ResultCodes.h"
#include "nodeconf/WholeFile.h"

namespace mnm::app {

Report ReadConfiguration(const QString& path, NodeConf& conf)
{
    return LoadFromPath(conf, path.toStdString());
}

int WriteConfiguration(const NodeConf& conf, const QString& path)
{
    return SaveWhole(conf, path.toStdString()).fault == FileFault::None ? 0 : kCannotWriteFile;
}

} // namespace mnm::app
