#include "resources/Pictures.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

// A static library's resources are registered only when asked for.
static void RegisterPictures() { Q_INIT_RESOURCE(pictures); }

namespace mnm::resources {

namespace {

const QString kFolder = QStringLiteral(":/pictures");
const QString kSuffix = QStringLiteral(".svg");

void EnsureRegistered()
{
    static const bool registered = (RegisterPictures(), true);
    (void)registered;
}

QString Existing(const QString& name)
{
    EnsureRegistered();
    const QString path = kFolder + QLatin1Char('/') + name + kSuffix;
    return QFile::exists(path) ? path : QString();
}

// The indicator draws a picture on every tick of a transfer: each is parsed
// and drawn once per size and scale, then taken from the cache.
QPixmap Render(const QString& path, QSize size, qreal ratio)
{
    if (path.isEmpty() || size.isEmpty()) return {};
    const QString key = QStringLiteral("mnm:%1:%2x%3@%4").arg(path).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    QSvgRenderer renderer(path);
    pixmap = QPixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

QStringList PictureNames()
{
    EnsureRegistered();
    QStringList names;
    for (const QString& file : QDir(kFolder).entryList({QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name))
        names << file.chopped(kSuffix.size());
    return names;
}

QString PicturePath(int number) { return Existing(QString::number(number)); }

QString PicturePath(std::string_view name)
{
    return Existing(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QPixmap RenderPicture(int number, QSize size, qreal ratio) { return Render(PicturePath(number), size, ratio); }

QPixmap RenderPicture(std::string_view name, QSize size, qreal ratio) { return Render(PicturePath(name), size, ratio); }

QSize PictureSize(int number)
{
    // Asked for by every layout pass of the indicator: read once per picture.
    static QHash<int, QSize> sizes;
    const auto found = sizes.constFind(number);
    if (found != sizes.constEnd()) return *found;
    const QString path = PicturePath(number);
    const QSize size = path.isEmpty() ? QSize() : QSvgRenderer(path).defaultSize();
    sizes.insert(number, size);
    return size;
}

} // namespace mnm::resources
