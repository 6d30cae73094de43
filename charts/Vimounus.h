#pragma once

#include "base/program_window.h"

#include <QDialog>

class QLabel;

namespace brisomar {

// The notice shown while the chart window is open without a usable chart.
class TVimounusdlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    explicit TVimounusdlg(QWidget* parent);

    QLabel* Panel1 = nullptr;
};

} // namespace brisomar
