#include "base/program_modules.h"

#include <QDir>
#include <QLibrary>

namespace brisomar {

QFunctionPointer moduleFunction(const QString& folder, const char* module, const char* function,
                                QString& reason) {
    QLibrary library(QDir(folder).filePath(QString::fromLatin1(module)));
    const QFunctionPointer found = library.resolve(function);
    if (!found)
        reason = library.errorString();
    return found;
}

} // namespace brisomar
