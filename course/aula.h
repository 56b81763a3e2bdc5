#pragma once
// The state of the typing course that outlives a lesson, and the rules on the
// exercise being practised that need no screen.

#include <QByteArray>
#include <QString>
#include <cstdint>

// Time of day (fraction of a day) at which the current line's first character
// was typed.
extern double InicioLinha;
// The longest line time of the exercise on view, in days: from a line's first
// character to its ENTER.
extern double TempoMaximo;
// The last character accepted by the typing field (Windows-1252), character 0
// at start; a lesson's first blank is judged against the previous lesson's.
extern char UltimaTecla;

// What a student who has passed every exercise of the catalogue is told.
inline const QString kCursoConcluido = QStringLiteral("Parabéns!\rVocê já concluiu todos os exercícios do curso.");

// Whether slot numero of the catalogue holds no exercise (or lies outside
// it): the course ends before it.
bool CursoTerminaAntes(int numero);

// The exercises of the catalogue: the slots before the first empty one.
int ExerciciosNoCurso();

// Line k (1 to 4) of ExercicioAtual.
QByteArray LinhaDoExercicio(int k);

// The number of lines of ExercicioAtual: 1 to 4 when its lines are filled
// from the first on without a gap, 0 for any other pattern.
int ContaLinhas();

// Keystrokes per minute over the longest line time: numToques * (1/1440) /
// tempoMaximo, truncated. 0 when there is no positive line time or the result
// does not fit 32 bits.
std::int32_t Velocidade(std::int32_t numToques, double tempoMaximo);
