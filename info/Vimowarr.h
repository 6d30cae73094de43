#pragma once

#include "base/program_window.h"

#include <QDialog>

class QPushButton;

namespace brisomar {

// The important notice: the sailor bears every risk of charts, maps and GPS equipment.
class TVimoWarrDlg : public ProgramWindow<QDialog> {
    Q_OBJECT

public:
    explicit TVimoWarrDlg(QWidget* parent);

    QPushButton* OKBtn = nullptr;
};

} // namespace brisomar
