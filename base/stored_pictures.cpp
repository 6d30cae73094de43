#include "base/stored_pictures.h"

#include "base/bitmap_layout.h"

#include <QResource>

#include <span>

namespace brisomar {

QImage storedPicture(const char* resourcePath) {
    const QByteArray bytes = QResource(QString::fromLatin1(resourcePath)).uncompressedData();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto layout =
        uncompressedBitmapLayout(std::span(data, static_cast<std::size_t>(bytes.size())));
    if (!layout)
        return {};
    const bool opaque = layout->bitsPerPixel == 24;
    const QImage inPlace(data + layout->pixelOffset, layout->width, layout->height,
                         static_cast<qsizetype>(layout->rowStride),
                         opaque ? QImage::Format_BGR888 : QImage::Format_ARGB32);
    // A copy of its own, in the format the screen takes, so the image outlives `bytes`.
    QImage own = opaque ? inPlace.convertToFormat(QImage::Format_RGB32) : inPlace.copy();
    return layout->bottomUp ? std::move(own).mirrored() : own;
}

} // namespace brisomar
