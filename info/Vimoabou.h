#pragma once

#include "base/program_window.h"

#include <QDialog>

class QPushButton;

namespace brisomar {

// About the program: its icon and a fixed text.
class TVimoAboutDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    explicit TVimoAboutDlg(QWidget* parent);

    QPushButton* OKBtn = nullptr;
};

} // namespace brisomar
