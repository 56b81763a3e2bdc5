#pragma once
// The practice-rhythm rule: a student who stays away longer than the chosen
// period allows is told so and sent back a number of exercises.

#include <cstdint>

// The exercise to go back to after `dias` days away, for a period that allows
// `divisor` days between lessons, counted back from NumExercicio; never below 1.
std::int32_t ExercicioVolta(std::int32_t dias, std::int32_t divisor);

// Measures the days since AulaAtual against AlunoAtual.Periodo and, when the
// gap is too long, shows two boxes and only then lowers NumExercicio. A period
// that is not a number throws ConversionError.
void AplicaRitmo();
