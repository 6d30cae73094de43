#pragma once

#include <QString>

class QDialog;
class QPushButton;

namespace brisomar {

// Lays out a fixed information dialog: the program icon beside a text, OK below; returns OK.
QPushButton* buildInfoDialog(QDialog* dialog, const QString& caption, const QString& text);

} // namespace brisomar
