#include "app/application.h"

#include "base/dialogs.h"
#include "base/program_fonts.h"
#include "base/stored_pictures.h"

#include <QIcon>
#include <QPixmap>

#include <exception>

namespace brisomar {

BrisomarApplication::BrisomarApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(title));
    setWindowIcon(QPixmap::fromImage(storedPicture(programIconPath)));
    useFormFonts();
}

bool BrisomarApplication::notify(QObject* receiver, QEvent* event) {
    QString error;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        error = QStringLiteral("Unexpected error.");
    }
    if (dialogs_)
        dialogs_->showMessage(error);
    return false;
}

} // namespace brisomar
