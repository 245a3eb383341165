// The program's pictures, found by the name or number the windows use for
// them, and drawn crisp at the screen's scale.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <string_view>

namespace mnm::resources {

inline constexpr int kIndicatorFirstFrame = 11001;  // frames 0..30
inline constexpr int kIndicatorFrameCount = 31;
inline constexpr int kIndicatorPicture = 11032;
inline constexpr int kProgramIcon = 12012;

// The resource path of a picture; empty when there is none by that name.
QString PicturePath(int number);
QString PicturePath(std::string_view name);

// The name or number of every picture, in name order.
QStringList PictureNames();

// The picture drawn into a square (or a size) of device-independent pixels at
// the given device pixel ratio; a null pixmap when there is no such picture.
QPixmap RenderPicture(int number, QSize size, qreal devicePixelRatio = 1.0);
QPixmap RenderPicture(std::string_view name, QSize size, qreal devicePixelRatio = 1.0);

// The picture's own size (its drawing's width and height).
QSize PictureSize(int number);

} // namespace mnm::resources
