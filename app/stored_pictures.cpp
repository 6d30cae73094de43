#include "app/stored_pictures.h"

#include "app/bitmap_layout.h"

#include <QResource>

#include <span>

namespace brisomar {

QImage storedPicture(const QString& resourcePath) {
    const QByteArray bytes = QResource(resourcePath).uncompressedData();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto layout =
        uncompressedBitmapLayout(std::span(data, static_cast<std::size_t>(bytes.size())));
    if (!layout)
        return {};
    const QImage inPlace(data + layout->pixelOffset, layout->width, layout->height,
                         static_cast<qsizetype>(layout->rowStride),
                         layout->bitsPerPixel == 24 ? QImage::Format_BGR888
                                                    : QImage::Format_ARGB32);
    // Both give a copy of their own, so the image outlives `bytes`.
    return layout->bottomUp ? inPlace.mirrored() : inPlace.copy();
}

} // namespace brisomar
