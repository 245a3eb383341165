#include "app/ConfigFiles.h"

#include <QSaveFile>

#include <sstream>

#include "nodeconf/ConfigFile.h"
#include "nodeconf/ResultCodes.h"

namespace mnm::app {

int ReadConfiguration(const QString& path, NodeConf& conf)
{
    return LoadFromPath(conf, path.toStdString());
}

int WriteConfiguration(const NodeConf& conf, const QString& path)
{
    if (CheckReplaceable(path.toStdString()).fault != FileFault::None) return kCannotWriteFile;
    std::stringstream text(std::ios::in | std::ios::out | std::ios::binary);
    if (SaveToFile(conf, text) != 0) return kCannotWriteFile;
    const std::string bytes = text.str();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return kCannotWriteFile;
    // Every step is checked: a short write (a full disk, a file size limit)
    // must never be committed over the old file.
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() || file.size() != size) {
        file.cancelWriting();
        return kCannotWriteFile;
    }
    return file.commit() ? 0 : kCannotWriteFile;
}

} // namespace mnm::app
