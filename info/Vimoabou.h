#pragma once

#include <QDialog>

class QPushButton;

namespace brisomar {

// About the program: its icon and a fixed text.
class TVimoAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit TVimoAboutDlg(QWidget* parent);

    QPushButton* OKBtn = nullptr;
};

} // namespace brisomar
