#include "students/ritmo.h"

#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/errors.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Periodo {
    std::int32_t dias;  // days allowed between lessons, also the divisor of the step back
    QString explicacao;
};

const Periodo kUmaVezPorSemana{
    7,
    QStringLiteral(
        "Você escolheu fazer 1 vez por semana. Portanto, não pode ficar mais do que 7 dias sem "
        "fazer um exercício.\rPortanto, se você fizer um exercício na quinta-feira, terá que "
        "fazer, na semana seguinte, até quinta-feira, no máximo.\rNão poderá fazer, por exemplo, "
        "um exercício na segunda-feira e depois na terça da semana seguinte.\rPorque, neste caso, "
        "passou mais de 1 semana. E é necessário manter o ritmo para obter os resultados do "
        "curso.\r\rMas lembre-se: você precisa fazer o exercício completo, até completa-lo, para "
        "continuar adiante.\r\rPortanto, neste momento, você voltará ")};

const Periodo kDuasVezesPorSemana{
    4,
    QStringLiteral(
        "Você escolheu fazer 2 vezes por semana. Portanto, não pode ficar mais do que 4 dias sem "
        "fazer um exercício.\rPortanto, se você fizer um exercício no dia 10, terá que fazer, no "
        "máximo, até o dia 14 o próximo, e outro até o dia 17.\rNão poderá fazer, por exemplo, um "
        "exercício no dia 10 e depois no dia 15. Pois passará de 4 dias.\rE é necessário manter o "
        "ritmo para obter os resultados do curso.\r\rMas lembre-se: você precisa fazer o "
        "exercício completo, até completa-lo, para continuar adiante.\r\rPor esse motivo, não é "
        "permitido ficar a semana toda sem fazer e depois fazer 2 exercícios seguidos para "
        "\"compensar\" ou em 2 dias seguidos.\r\rPortanto, neste momento, você voltará ")};

const Periodo kTodoDia{
    1,
    QStringLiteral(
        "Você escolheu fazer Exercícios diários. Portanto, não pode ficar nenhum dia sem se "
        "exercitar (esse é puxado, né?)!\rNão poderá fazer, por exemplo, um exercício na "
        "segunda-feira e depois na quarta-feira\rE é necessário manter o ritmo para obter os "
        "resultados do curso. Mas lembre-se: VOCÊ DETERMINA SEU RITMO.\r\rMas lembre-se: você "
        "precisa fazer o exercício completo, até completa-lo, para continuar adiante.\r\r"
        "Portanto, neste momento, você voltará ")};

const Periodo* periodoDe(int p)
{
    switch (p) {
    case 0: return &kUmaVezPorSemana;
    case 1: return &kDuasVezesPorSemana;
    case 2: return &kTodoDia;
    default: return nullptr;
    }
}

// Whole days from the last lesson record to today; a damaged date that is
// no day count at all is kept inside the range of the count.
std::int32_t diasEntre(double ultimaAula, double hoje)
{
    const double dias = std::trunc(hoje - ultimaAula);
    constexpr double menor = std::numeric_limits<std::int32_t>::min();
    constexpr double maior = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(dias))
        return 0;
    return std::int32_t(std::clamp(dias, menor, maior));
}

}  // namespace

QString NomeDoPeriodo(int periodo)
{
    static const QString nomes[kPeriodos] = {QStringLiteral("1 x por semana"), QStringLiteral("2 x por semana"),
                                             QStringLiteral("Todo Dia")};
    return periodo >= 0 && periodo < kPeriodos ? nomes[periodo] : QString();
}

std::optional<Atraso> MedeRitmo(const SituacaoRitmo& situacao)
{
    const std::int32_t DiasSemExercicio = diasEntre(situacao.ultimaAula, situacao.hoje);
    const Periodo* periodo = periodoDe(situacao.periodo);
    if (!periodo || DiasSemExercicio <= periodo->dias)
        return std::nullopt;
    return Atraso{DiasSemExercicio, DiasSemExercicio / periodo->dias,
                  ExercicioVolta(situacao.numExercicio, DiasSemExercicio, periodo->dias), periodo->explicacao,
                  situacao.numExercicio};
}

std::int32_t ExercicioVolta(std::int32_t numExercicio, std::int32_t dias, std::int32_t divisor)
{
    const std::int32_t volta = dias % divisor != 0 ? numExercicio - dias / divisor
                                                   : numExercicio - (dias - 1) / divisor;
    return volta <= 0 ? 1 : volta;
}

std::optional<Atraso> MedeRitmoDoAluno()
{
    return MedeRitmo({
        .periodo = toInteger(fromCp1252(AlunoAtual.Periodo.bytes())),
        .ultimaAula = AulaAtual.Data,
        .hoje = today(),
        .numExercicio = NumExercicio,
    });
}

QStringList AvisosDoAtraso(const Atraso& atraso)
{
    return {QStringLiteral("Faz %1 dias que você não faz exercícios.").arg(atraso.DiasSemExercicio),
            atraso.explicacao + QString::number(atraso.exerciciosParaRever)
                + QStringLiteral(" exercícios para rever o que havia feito.") + u'\r'
                + QStringLiteral("Você estava no exercício ") + QString::number(atraso.exercicioDeAntes)
                + QStringLiteral(" e voltará para o de Nº ") + QString::number(atraso.exercicioDeVolta) + u'.'};
}
