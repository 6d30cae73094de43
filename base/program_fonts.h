#pragma once

#include <QFont>

namespace brisomar {

// The faces the forms were drawn for are the Windows interface fonts; the program brings
// metric-compatible ones (Liberation Sans, and Liberation Sans Narrow for the bold "System" face)
// and chooses them itself, so a form's controls fit its fixed size whatever the desktop's default.

// The forms' sans serif of 11 pixels (8 points on the screens they were drawn for).
QFont formFont(bool bold = false);
// The bold "System" face of the status strip and its tabs.
QFont systemFont(int pixelSize);
// Makes the forms' font the application's, before any window is made.
void useFormFonts();

} // namespace brisomar
