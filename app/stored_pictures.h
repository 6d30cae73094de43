#pragma once

#include <QImage>
#include <QString>

namespace brisomar {

// The splash picture and the program's icon among the resources.
inline constexpr const char* splashPicturePath = ":/images/splash.bmp";
inline constexpr const char* programIconPath = ":/images/brisomar.bmp";
inline constexpr int programIconSide = 64;

// A picture stored with the program as an uncompressed bitmap, copied straight from the
// resource's bytes; a null image when the resource is missing or of another kind.
QImage storedPicture(const QString& resourcePath);

} // namespace brisomar
