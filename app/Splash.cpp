#include "app/Splash.h"

#include "base/stored_pictures.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace brisomar {

TSplashForm::TSplashForm() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(387, 259);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setPixmap(QPixmap::fromImage(storedPicture(splashPicturePath)));
    panel->setAlignment(Qt::AlignCenter);
    layout->addWidget(panel);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::showNow() {
    show();
    repaint();
    QApplication::processEvents();
}

} // namespace brisomar
