#pragma once

#include <QWidget>

namespace brisomar {

// The picture shown while the program creates its windows: borderless, centred, a lowered panel
// around the 383 x 255 picture.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    TSplashForm();

    // Shows and paints the picture at once, before the event loop runs.
    void showNow();
};

} // namespace brisomar
