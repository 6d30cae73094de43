#pragma once

#include <QDialog>

class QLabel;

namespace brisomar {

// The notice shown while the chart window is open without a usable chart.
class TVimounusdlg : public QDialog {
    Q_OBJECT

public:
    explicit TVimounusdlg(QWidget* parent);

    QLabel* Panel1 = nullptr;
};

} // namespace brisomar
