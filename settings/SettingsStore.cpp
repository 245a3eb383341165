// The store itself: QSettings in the native format under HKEY_LOCAL_MACHINE on
// Windows, the user's XDG configuration file elsewhere. Every operation uses
// its own QSettings object, which is what makes concurrent reads safe.
#include "settings/Settings.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSettings>
#include <QtCore/QStandardPaths>
#include <QtCore/QString>
#include <QtCore/QVariant>

#include <memory>
#include <optional>

#ifndef _WIN32
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#ifdef _WIN32
#include <windows.h>
#endif

namespace mnm {

namespace {

constexpr char kSoftware[] = "Software";
constexpr char kCompany[] = "Orvendel";
constexpr char kTitle[] = "Morvane Node Manager";
// The registry's own limit on the key path, with its two separators.
static_assert(sizeof kSoftware - 1 + 1 + sizeof kCompany - 1 + 1 + sizeof kTitle - 1 <= 256);

std::unique_ptr<QSettings> OpenStore()
{
    // The native format is the registry on Windows and an INI file named
    // "<title>.conf" elsewhere (IniFormat would name it ".ini").
#ifdef _WIN32
    constexpr auto scope = QSettings::SystemScope;
#else
    constexpr auto scope = QSettings::UserScope;
#endif
    return std::make_unique<QSettings>(QSettings::NativeFormat, scope, QString::fromLatin1(kCompany),
                                       QString::fromLatin1(kTitle));
}

QString Key(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

#ifdef _WIN32

std::string TitleKeyPath()
{
    return std::string(kSoftware) + "\\" + kCompany + "\\" + kTitle;
}

// Opens `name` below `parent` for reading, creating it when it cannot be opened.
bool OpenOrCreate(HKEY parent, const char* name, HKEY* key)
{
    if (RegOpenKeyExA(parent, name, 0, KEY_READ, key) == ERROR_SUCCESS)
        return true;
    char noClass[] = "";
    return RegCreateKeyExA(parent, name, 0, noClass, 0, KEY_ALL_ACCESS, nullptr, key, nullptr) ==
           ERROR_SUCCESS;
}

bool KeyExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TitleKeyPath().c_str(), 0, KEY_READ | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

#else

bool KeyExists()
{
    return QFileInfo(OpenStore()->fileName()).isFile();
}

#endif

} // namespace

int EnsureSettingsKey()
{
#ifdef _WIN32
    HKEY software, company, title;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSoftware, 0, KEY_READ, &software) != ERROR_SUCCESS)
        return -1;
    if (!OpenOrCreate(software, kCompany, &company)) {
        RegCloseKey(software);
        return -2;
    }
    const bool titleOk = OpenOrCreate(company, kTitle, &title);
    if (titleOk)
        RegCloseKey(title);
    RegCloseKey(company);
    RegCloseKey(software);
    return titleOk ? 0 : -3;
#else
    // The key is the file; its company level is the folder holding it and the
    // base level the configuration folder above that.
    const QFileInfo file(OpenStore()->fileName());
    const QString companyDir = file.absolutePath();
    const QString baseDir = QFileInfo(companyDir).absolutePath();
    if (!QDir().mkpath(baseDir))
        return -1;
    if (!QDir().mkpath(companyDir))
        return -2;
    if (file.exists())
        return file.isFile() ? 0 : -3;
    QFile create(file.absoluteFilePath());
    return create.open(QIODevice::WriteOnly | QIODevice::Append) ? 0 : -3;
#endif
}

// The stored text, or nothing when the name holds no text. A store that can
// be read but not written (a read-only folder or file) is still read: only
// a store that cannot be parsed reads as empty.
std::optional<QByteArray> StoredText(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    const auto store = OpenStore();
    if (store->status() == QSettings::FormatError)
        return std::nullopt;
    const QVariant value = store->value(Key(name));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toUtf8();
}

std::string ReadSetting(std::string_view name)
{
    const std::optional<QByteArray> text = StoredText(name);
    if (!text || text->size() > kMaxSettingLength)
        return {};
    return text->toStdString();
}

bool SettingPresent(std::string_view name)
{
    return StoredText(name).has_value();
}

std::string RecoveryFilePath()
{
#ifdef _WIN32
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QLatin1Char('/') + QLatin1String(kCompany) + QLatin1Char('/') + QLatin1String(kTitle);
    return QDir::toNativeSeparators(folder + QStringLiteral("/recovery.mnc")).toStdString();
#else
    const QFileInfo file(OpenStore()->fileName());
    return QFile::encodeName(file.absolutePath() + QLatin1Char('/') + QLatin1String(kTitle) +
                             QStringLiteral(".recovery.mnc"))
        .toStdString();
#endif
}

std::string SettingsUnwritableReason()
{
#ifdef _WIN32
    if (KeyExists())
        return {};
    return "HKEY_LOCAL_MACHINE\\" + TitleKeyPath() + ": cannot be written (it needs administrator rights)";
#else
    const QFileInfo file(OpenStore()->fileName());
    // The file is replaced on every write, so its folder must take a new one.
    for (const QString& path : {file.absoluteFilePath(), file.absolutePath()}) {
        if (!QFileInfo::exists(path))
            continue;
        if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
            return path.toStdString() + ": " + std::strerror(errno);
    }
    return {};
#endif
}

void WriteSetting(std::string_view name, std::optional<std::string_view> text)
{
    if (!text) {
        DeleteSetting(name);
        return;
    }
    if (name.empty() || !KeyExists())
        return;
    const auto store = OpenStore();
    store->setValue(Key(name), QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
    store->sync();
}

void DeleteSetting(std::string_view name)
{
    // An empty name would make QSettings remove every value.
    if (name.empty() || !KeyExists())
        return;
    const auto store = OpenStore();
    store->remove(Key(name));
    store->sync();
}

} // namespace mnm
