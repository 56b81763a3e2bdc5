#pragma once
// The typefaces of the screens, in pixel sizes, with the look-alikes that
// stand in where the originals are not installed (Liberation Sans has Arial's
// metrics). Needs no widgets, so the course compiler measures with them too.

#include <QFont>
#include <QSize>
#include <QStringList>

namespace aparencia {

// the first of the families that is installed, else a sans serif
QFont fonte(const QStringList& familias, int pixels, bool negrito = false);
// Arial, else its look-alike
QFont arial(int pixels, bool negrito = false);
// Impact, else a narrow face
QFont impact(int pixels, bool negrito = false);
// the old system sans, else the look of Arial
QFont msSansSerif(int pixels, bool negrito = false);

// A line of an exercise is drawn in this font in a label of this width at
// design size; a wider line would wrap into two clipped half-rows.
QFont fonteDaLinha();
inline constexpr int kLarguraDaLinha = 600;

// The instruction of an exercise is drawn word-wrapped in this font in a
// label of this size at design size.
QFont fonteDaInstrucao();
inline constexpr QSize kTamanhoDaInstrucao(613, 53);

}  // namespace aparencia
