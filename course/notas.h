#pragma once
// The note table of the musical keyboard: the letters C, D, E, F, G, A and B,
// in either case, play the notes of one scale from the folder "notas".

#include <QString>

// The note file of a character (Windows-1252), relative to the current
// directory; empty for a character that is no note.
QString ArquivoDaNota(char caractere);
