#pragma once

#include <QImage>

namespace brisomar {

// The splash picture, the program's icon and the chart window's picture until a chart is
// loaded, among the resources.
inline constexpr const char* splashPicturePath = ":/images/splash.bmp";
inline constexpr const char* placeholderPicturePath = ":/images/placeholder.bmp";
inline constexpr const char* programIconPath = ":/images/brisomar.bmp";
inline constexpr int programIconSide = 64;

// A picture stored with the program as an uncompressed bitmap, copied straight from the
// resource's bytes (opaque ones as RGB32); a null image when the resource is missing or of
// another kind.
QImage storedPicture(const char* resourcePath);

} // namespace brisomar
