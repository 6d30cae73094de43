#pragma once

#include "app/window_registry.h"

#include <QDialog>

class QLabel;

namespace brisomar {

// Shows the chart position under the mouse, as the chart tools write it.
class TVimoPosiDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int helpContext = 1;

    TVimoPosiDlg(UiContext& context, QWidget* parent);

    void showPosition(const QString& text);

    QLabel* Panel1 = nullptr;

private:
    UiContext& context_;
};

} // namespace brisomar
