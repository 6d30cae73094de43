// Window tests run headless: the offscreen platform unless a display is asked for.
#include "app/application.h"

#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    testing::InitGoogleTest(&argc, argv);
    brisomar::BrisomarApplication app(argc, argv);
    QLocale::setDefault(QLocale::c()); // times as 23:59:59 and "." whatever the machine's locale
    return RUN_ALL_TESTS();
}
