#include "input/TaskIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace brisomar {

QtTrayShell::QtTrayShell() : tray_(std::make_unique<QSystemTrayIcon>()) {
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (!onClick)
                             return;
                         if (reason == QSystemTrayIcon::Trigger)
                             onClick(Click::Left);
                         else if (reason == QSystemTrayIcon::DoubleClick)
                             onClick(Click::Double);
                         else if (reason == QSystemTrayIcon::Context)
                             onClick(Click::Right);
                     });
}

QtTrayShell::~QtTrayShell() = default;

bool QtTrayShell::add(const QIcon& icon, const QString& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    modify(icon, tip);
    tray_->show();
    return tray_->isVisible();
}

bool QtTrayShell::modify(const QIcon& icon, const QString& tip) {
    tray_->setIcon(icon);
    tray_->setToolTip(tip);
    return true;
}

bool QtTrayShell::remove() {
    tray_->hide();
    return true;
}

TTaskIcon::TTaskIcon(std::unique_ptr<TrayShell> shell, QObject* parent)
    : QObject(parent), shell_(std::move(shell)) {
    shell_->onClick = [this](TrayShell::Click click) {
        if (click == TrayShell::Click::Left && OnClick)
            OnClick();
        else if (click == TrayShell::Click::Double && OnDblClick)
            OnDblClick();
        else if (click == TrayShell::Click::Right && OnRightClick)
            OnRightClick(Qt::RightButton, QCursor::pos());
    };
}

TTaskIcon::~TTaskIcon() {
    if (active_)
        shell_->remove();
}

void TTaskIcon::setActive(bool active) {
    if (active == active_)
        return;
    if (active ? shell_->add(icon_, shellTip()) : shell_->remove())
        active_ = active;
}

void TTaskIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    updateShell();
}

void TTaskIcon::setToolTip(const QString& tip) {
    const QString cut = tip.left(maxToolTip);
    if (cut == toolTip_)
        return;
    toolTip_ = cut;
    updateShell();
}

void TTaskIcon::setTaskIconID(int id) {
    if (id == taskIconId_)
        return;
    taskIconId_ = id;
    updateShell();
}

void TTaskIcon::updateShell() {
    if (active_)
        shell_->modify(icon_, shellTip());
}

} // namespace brisomar
