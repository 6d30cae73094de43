#pragma once

#include "engine/watch_engine.h"

#include <QObject>
#include <QTimer>

namespace brisomar {

class Clock;

// Drives the watch from the window thread's event loop: a single timer set to the next step due,
// so that an idle navigator wakes only when there is work.
class WatchDriver : public QObject {
    Q_OBJECT

public:
    WatchDriver(WatchEngine& engine, const Clock& clock);

private:
    void advance();

    WatchEngine& engine_;
    const Clock& clock_;
    QTimer timer_;
};

} // namespace brisomar
