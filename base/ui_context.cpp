#include "base/ui_context.h"

#include <QDialog>

namespace brisomar {

void showModal(QDialog* dialog) {
    if (dialog)
        dialog->exec();
}

} // namespace brisomar
