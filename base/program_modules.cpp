#include "base/program_modules.h"
#include "base/install_paths.h"

#include <QDir>
#include <QLibrary>

namespace brisomar {

QString moduleFolderFor(const QString& programFolder) {
    const QString installed = QDir::cleanPath(
        QDir(programFolder).filePath(QStringLiteral(BRISOMAR_MODULES_FROM_PROGRAMS)));
    return QDir(installed).exists() ? installed : programFolder;
}

QFunctionPointer moduleFunction(const QString& folder, const char* module, const char* function,
                                QString& reason) {
    QLibrary library(QDir(folder).filePath(QString::fromLatin1(module)));
    const QFunctionPointer found = library.resolve(function);
    if (!found)
        reason = library.errorString();
    return found;
}

} // namespace brisomar
