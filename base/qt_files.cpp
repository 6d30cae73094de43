#include "base/qt_files.h"

#include "base/dialogs.h"
#include "base/qt_text.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace brisomar {

bool refusedAsDataFile(Dialogs& dialogs, FileSystem& files, const QString& path) {
    const auto refusal = refusalAsDataFile(files, path.toStdString());
    if (refusal)
        dialogs.warning(toQString(*refusal));
    return refusal.has_value();
}

bool saveBmpFile(FileSystem& files, const QImage& image, const QString& path, std::string& error) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(image)) {
        error = writer.errorString().toStdString();
        return false;
    }
    return files.replace(path.toStdString(), Bytes(bmp.begin(), bmp.end()), error);
}

} // namespace brisomar
