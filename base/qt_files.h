#pragma once

#include "base/file_system.h"

#include <QString>

class QImage;

namespace brisomar {

class Dialogs;

// A FIFO, device or socket chosen as a data file is refused at once with a warning: opening it
// would wait for a writer, and the whole program with it. Gives true when it was refused.
bool refusedAsDataFile(Dialogs& dialogs, FileSystem& files, const QString& path);

// Saves an image as a Windows bitmap file through the file system's whole-file save.
bool saveBmpFile(FileSystem& files, const QImage& image, const QString& path, std::string& error);

} // namespace brisomar
