#pragma once
// What a user chose on this computer and keeps for the next time: the
// program's settings of the user's account. Test seam: while installed,
// nothing is read from or written to the account; the choices live in memory.

namespace preferences {

// The keyboard guide of the exercise screen is shown (the default).
bool keyboardShown();
void setKeyboardShown(bool shown);

}  // namespace preferences

namespace preferencesseam {

void install();    // every choice back to its default, kept in memory
void uninstall();

}  // namespace preferencesseam
