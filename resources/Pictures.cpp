#include "resources/Pictures.h"

#include <QDir>
#include <QFile>
#include <QPainter>
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

QPixmap Render(const QString& path, QSize size, qreal ratio)
{
    if (path.isEmpty() || size.isEmpty()) return {};
    QSvgRenderer renderer(path);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
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
    const QString path = PicturePath(number);
    return path.isEmpty() ? QSize() : QSvgRenderer(path).defaultSize();
}

} // namespace mnm::resources
