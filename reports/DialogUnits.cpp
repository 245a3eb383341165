#include "reports/DialogUnits.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mnm::reports {

namespace {

// The average character width is measured over the Latin letters.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = sizeof kAlphabet - 1;

} // namespace

BaseUnits BaseUnitsOf(const QWidget& widget)
{
    const QFontMetrics metrics(widget.font());
    const int width = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet));
    return {(width + kAlphabetLength / 2) / kAlphabetLength, metrics.height()};
}

QRect ToQRect(const Rect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

Rect FromQRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

Rect ParentArea(const QWidget* parent)
{
    if (parent) return FromQRect(parent->window()->frameGeometry());
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? FromQRect(screen->availableGeometry()) : Rect{};
}

} // namespace mnm::reports
