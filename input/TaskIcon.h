#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace brisomar {

// The seam to the desktop's notification area: each call gives whether the desktop took it.
class TrayShell {
public:
    enum class Click { Left, Double, Right };

    virtual ~TrayShell() = default;
    virtual bool add(const QIcon& icon, const QString& tip) = 0;
    virtual bool modify(const QIcon& icon, const QString& tip) = 0;
    virtual bool remove() = 0;
    std::function<void(Click)> onClick; // set by the icon that owns the shell
};

// The notification area as Qt offers it; a desktop without one refuses every add.
class QtTrayShell : public TrayShell {
public:
    QtTrayShell();
    ~QtTrayShell() override;

    bool add(const QIcon& icon, const QString& tip) override;
    bool modify(const QIcon& icon, const QString& tip) override;
    bool remove() override;

private:
    std::unique_ptr<QSystemTrayIcon> tray_;
};

// An icon with a tool tip in the notification area while Active. A refused add or remove leaves
// Active as it was, so the next attempt retries it.
class TTaskIcon : public QObject {
    Q_OBJECT

public:
    static constexpr int maxToolTip = 64;

    explicit TTaskIcon(std::unique_ptr<TrayShell> shell, QObject* parent = nullptr);
    ~TTaskIcon() override;

    bool Active() const { return active_; }
    const QIcon& Icon() const { return icon_; }
    const QString& ToolTip() const { return toolTip_; }
    int TaskIconID() const { return taskIconId_; }

    void setActive(bool active);
    void setIcon(const QIcon& icon);
    void setToolTip(const QString& tip); // cut to 64 characters
    void setTaskIconID(int id);

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(Qt::MouseButton, QPoint)> OnRightClick;

private:
    void updateShell();
    QString shellTip() const { return toolTip_.left(maxToolTip - 1); }

    std::unique_ptr<TrayShell> shell_;
    bool active_ = false;
    QIcon icon_;
    QString toolTip_;
    int taskIconId_ = 0;
};

} // namespace brisomar
