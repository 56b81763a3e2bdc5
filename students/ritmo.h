#pragma once
// The practice-rhythm rule: a student who stays away longer than the chosen
// period allows is told so and sent back a number of exercises.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The periods a student chooses from, numbered as the student record stores
// them ("0", "1", "2").
inline constexpr int kPeriodos = 3;
// "1 x por semana", "2 x por semana" or "Todo Dia"
QString NomeDoPeriodo(int periodo);

// What the rule looks at when a lesson starts.
struct SituacaoRitmo {
    int periodo;                // AlunoAtual.Periodo as a number
    double ultimaAula;          // day count of the student's last lesson record
    double hoje;                // today's day count
    std::int32_t numExercicio;  // the exercise the student would now practise
};

// The rule's answer when the gap is longer than the period allows.
struct Atraso {
    std::int32_t DiasSemExercicio;     // whole days since the last lesson record
    std::int32_t exerciciosParaRever;  // the count the second box names
    std::int32_t exercicioDeVolta;     // the exercise the lesson opens
    QString explicacao;                // the period's text that opens the second box
    std::int32_t exercicioDeAntes;     // the exercise the student would have practised
};

// The rule without its boxes: nothing when the period is none of the three
// or the gap is within it.
std::optional<Atraso> MedeRitmo(const SituacaoRitmo& situacao);

// The exercise to go back to from `numExercicio` after `dias` days away, for
// a period that allows `divisor` days between lessons; never below 1.
std::int32_t ExercicioVolta(std::int32_t numExercicio, std::int32_t dias, std::int32_t divisor);

// Measures the days since AulaAtual against AlunoAtual.Periodo from
// NumExercicio, which it leaves as it is: the entry screen shows the boxes
// and only then lowers it. A period that is not a number throws
// ConversionError.
std::optional<Atraso> MedeRitmoDoAluno();

// The texts of the two boxes that tell the student, in their order.
QStringList AvisosDoAtraso(const Atraso& atraso);
