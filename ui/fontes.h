#pragma once
// The typefaces of the screens, in pixel sizes, with the look-alikes that
// stand in where the originals are not installed (Liberation Sans has Arial's
// metrics). Needs no widgets, so the course compiler measures with them too.

#include <QFont>
#include <QSize>
#include <QStringList>
#include <future>

namespace aparencia {

// Reads the system's font configuration on a thread of its own, ahead of
// Qt's first text, which reads it otherwise; wait for the future before that
// text, or the configuration is read twice.
std::future<void> antecipaConfiguracaoDasFontes();

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
