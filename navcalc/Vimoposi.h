#pragma once

#include "base/program_window.h"
#include "base/ui_context.h"

#include <QDialog>

class QLabel;

namespace brisomar {

// Shows the chart position under the mouse, as the chart tools write it.
class TVimoPosiDlg : public ProgramWindow<QDialog> {
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
