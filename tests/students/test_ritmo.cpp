// The practice-rhythm rule: the gap since the last lesson record against the
// student's period, the texts of its two boxes, and the exercise the student
// goes back to.

#include "fixture_alunos.h"

#include "data/records.h"
#include "platform/errors.h"
#include "students/ritmo.h"

#include <QScopedValueRollback>
#include <cmath>
#include <optional>

namespace {

const QString kTexto0 = QStringLiteral("Você escolheu fazer 1 vez por semana. Portanto, não pode ficar mais do que 7 dias sem fazer um exercício.\rPortanto, se você fizer um exercício na quinta-feira, terá que fazer, na semana seguinte, até quinta-feira, no máximo.\rNão poderá fazer, por exemplo, um exercício na segunda-feira e depois na terça da semana seguinte.\rPorque, neste caso, passou mais de 1 semana. E é necessário manter o ritmo para obter os resultados do curso.\r\rMas lembre-se: você precisa fazer o exercício completo, até completa-lo, para continuar adiante.\r\rPortanto, neste momento, você voltará ");
const QString kTexto1 = QStringLiteral("Você escolheu fazer 2 vezes por semana. Portanto, não pode ficar mais do que 4 dias sem fazer um exercício.\rPortanto, se você fizer um exercício no dia 10, terá que fazer, no máximo, até o dia 14 o próximo, e outro até o dia 17.\rNão poderá fazer, por exemplo, um exercício no dia 10 e depois no dia 15. Pois passará de 4 dias.\rE é necessário manter o ritmo para obter os resultados do curso.\r\rMas lembre-se: você precisa fazer o exercício completo, até completa-lo, para continuar adiante.\r\rPor esse motivo, não é permitido ficar a semana toda sem fazer e depois fazer 2 exercícios seguidos para \"compensar\" ou em 2 dias seguidos.\r\rPortanto, neste momento, você voltará ");
const QString kTexto2 = QStringLiteral("Você escolheu fazer Exercícios diários. Portanto, não pode ficar nenhum dia sem se exercitar (esse é puxado, né?)!\rNão poderá fazer, por exemplo, um exercício na segunda-feira e depois na quarta-feira\rE é necessário manter o ritmo para obter os resultados do curso. Mas lembre-se: VOCÊ DETERMINA SEU RITMO.\r\rMas lembre-se: você precisa fazer o exercício completo, até completa-lo, para continuar adiante.\r\rPortanto, neste momento, você voltará ");

struct Caso {
    const char* periodo;
    int dias;
    int numExercicio;  // as raised for the lesson
    int n;             // the count in the second box; 0: no box at all
    int aberto;        // the exercise the lesson opens
};

class Ritmo : public ComAlunos {
protected:
    // Measures the student's rhythm as the entry screen does when a lesson starts.
    std::optional<Atraso> mede(const char* periodo, int dias, int numExercicio)
    {
        AlunoAtual.Periodo.set(periodo);
        AulaAtual.Data = hoje() - dias;
        NumExercicio = numExercicio;
        return MedeRitmoDoAluno();
    }
};

TEST_F(Ritmo, WorkedExamplesAndTheFloor)
{
    const QString textos[] = {kTexto0, kTexto1, kTexto2};
    const Caso casos[] = {
        {"0", 7, 11, 0, 11}, {"0", 8, 11, 1, 10}, {"0", 14, 11, 2, 10}, {"0", 15, 11, 2, 9},
        {"1", 4, 11, 0, 11}, {"1", 8, 11, 2, 10}, {"1", 9, 11, 2, 9},
        {"2", 1, 11, 0, 11}, {"2", 2, 11, 2, 10}, {"2", 3, 11, 3, 9},
        {"0", 30, 2, 4, 1},  // the step back would reach -2
        {"0", 10, 1, 1, 1},  // registered 10 days ago, nothing passed
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "period " << c.periodo << ", " << c.dias << " days");
        const std::optional<Atraso> atraso = mede(c.periodo, c.dias, c.numExercicio);

        // the entry screen lowers the exercise once the student has read why
        EXPECT_EQ(NumExercicio, c.numExercicio);
        if (c.n == 0) {
            EXPECT_FALSE(atraso.has_value());
            continue;
        }
        ASSERT_TRUE(atraso.has_value());
        EXPECT_EQ(atraso->exercicioDeVolta, c.aberto);
        EXPECT_EQ(AvisosDoAtraso(*atraso),
                  (QStringList{QStringLiteral("Faz %1 dias que você não faz exercícios.").arg(c.dias),
                               textos[c.periodo[0] - '0']
                                   + QStringLiteral("%1 exercícios para rever o que havia feito.\r"
                                                    "Você estava no exercício %2 e voltará para o de Nº %3.")
                                         .arg(c.n).arg(c.numExercicio).arg(c.aberto)}));
    }
}

TEST_F(Ritmo, WithoutAnyLessonRecordTheGapIsTensOfThousandsOfDays)
{
    for (const char* periodo : {"0", "1", "2"}) {
        AlunoAtual.Periodo.set(periodo);
        clearRecord(AulaAtual);
        NumExercicio = 1;
        const std::optional<Atraso> atraso = MedeRitmoDoAluno();
        ASSERT_TRUE(atraso.has_value()) << periodo;
        EXPECT_EQ(AvisosDoAtraso(*atraso).front(),
                  QStringLiteral("Faz %1 dias que você não faz exercícios.").arg(int(hoje())));
        EXPECT_EQ(atraso->exercicioDeVolta, 1);
    }
}

TEST_F(Ritmo, OtherPeriodsAndFutureDatesDoNothing)
{
    EXPECT_FALSE(mede("5", 400, 11).has_value());
    EXPECT_FALSE(mede("0", -30, 11).has_value());
    EXPECT_EQ(NumExercicio, 11);
}

TEST_F(Ritmo, APeriodThatIsNoNumberFailsBeforeAnyBox)
{
    for (const char* periodo : {"", "x"}) {
        try {
            mede(periodo, 400, 11);
            ADD_FAILURE() << "no error for the period '" << periodo << "'";
        } catch (const ConversionError& erro) {
            EXPECT_EQ(erro.message(),
                      QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(periodo)));
        }
        EXPECT_EQ(NumExercicio, 11);
    }
}

// The rule as a pure function: a table of periods, gaps and exercises, with
// NumExercicio set elsewhere to show that only the given exercise counts.
struct Medida {
    int periodo;
    double diasFora;   // today minus the last record's day count
    int numExercicio;  // as raised for the lesson
    std::optional<int> n;  // the count of the second box; none: the rule does nothing
    int volta;         // the exercise the lesson opens
};

TEST(MedeRitmo, DaysCountAndTargetForEveryPeriodAndBoundary)
{
    const QString textos[] = {kTexto0, kTexto1, kTexto2};
    constexpr double kHoje = 46366;  // 10/12/2026
    const Medida casos[] = {
        {0, 7, 11, {}, 11}, {0, 8, 11, 1, 10}, {0, 14, 11, 2, 10}, {0, 15, 11, 2, 9},
        {0, 21, 11, 3, 9},  {0, 22, 11, 3, 8},
        {1, 4, 11, {}, 11}, {1, 5, 11, 1, 10}, {1, 8, 11, 2, 10}, {1, 9, 11, 2, 9},
        {2, 1, 11, {}, 11}, {2, 2, 11, 2, 10}, {2, 3, 11, 3, 9},
        // the floor at exercise 1
        {0, 30, 2, 4, 1}, {0, 10, 1, 1, 1}, {2, 100, 11, 100, 1},
        // a lesson record of day 0: tens of thousands of days
        {1, kHoje, 11, 11591, 1},
        // a part of a day does not count
        {0, 7.9, 11, {}, 11}, {0, 8.9, 11, 1, 10},
        // other periods, a record dated after today, a damaged date
        {3, 400, 11, {}, 11}, {-1, 400, 11, {}, 11}, {0, -30, 11, {}, 11}, {0, std::nan(""), 11, {}, 11},
    };
    const QScopedValueRollback<std::int32_t> outro(NumExercicio, 50);
    for (const Medida& c : casos) {
        SCOPED_TRACE(testing::Message() << "period " << c.periodo << ", " << c.diasFora << " days, exercise "
                                        << c.numExercicio);
        const std::optional<Atraso> atraso = MedeRitmo({
            .periodo = c.periodo,
            .ultimaAula = kHoje - c.diasFora,
            .hoje = kHoje,
            .numExercicio = c.numExercicio,
        });
        ASSERT_EQ(atraso.has_value(), c.n.has_value());
        if (!atraso)
            continue;
        EXPECT_EQ(atraso->DiasSemExercicio, int(c.diasFora));
        EXPECT_EQ(atraso->exerciciosParaRever, *c.n);
        EXPECT_EQ(atraso->exercicioDeVolta, c.volta);
        EXPECT_EQ(atraso->exercicioDeAntes, c.numExercicio);
        EXPECT_EQ(atraso->explicacao, textos[c.periodo]);
    }
    EXPECT_EQ(NumExercicio, 50);
}

TEST(ExercicioVolta, StepsBackFromTheExerciseWithTheFloorAtOne)
{
    EXPECT_EQ(ExercicioVolta(11, 8, 7), 10);
    EXPECT_EQ(ExercicioVolta(11, 14, 7), 10);  // an exact multiple steps back one less
    EXPECT_EQ(ExercicioVolta(11, 15, 7), 9);
    EXPECT_EQ(ExercicioVolta(11, 3, 1), 9);
    EXPECT_EQ(ExercicioVolta(11, 100, 1), 1);
}

}  // namespace
