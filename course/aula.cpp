#include "course/aula.h"

#include "data/records.h"

#include <cmath>
#include <limits>

double InicioLinha = 0;
double TempoMaximo = 0;
char UltimaTecla = 0;

namespace {

constexpr double kMinutoEmDias = 1.0 / 1440.0;

}  // namespace

bool CursoTerminaAntes(int numero)
{
    if (numero < 1 || numero > Exercicios.size)
        return true;
    const tExercicio& exercicio = Exercicios[numero];
    return exercicio.Numero == 0 && exercicio.Linha1.empty() && exercicio.Linha2.empty()
        && exercicio.Linha3.empty() && exercicio.Linha4.empty();
}

int ExerciciosNoCurso()
{
    int quantos = 0;
    while (!CursoTerminaAntes(quantos + 1))
        ++quantos;
    return quantos;
}

QByteArray LinhaDoExercicio(int k)
{
    switch (k) {
    case 1: return ExercicioAtual.Linha1.bytes();
    case 2: return ExercicioAtual.Linha2.bytes();
    case 3: return ExercicioAtual.Linha3.bytes();
    case 4: return ExercicioAtual.Linha4.bytes();
    }
    return {};
}

int ContaLinhas()
{
    const bool cheia[] = {!ExercicioAtual.Linha1.empty(), !ExercicioAtual.Linha2.empty(),
                          !ExercicioAtual.Linha3.empty(), !ExercicioAtual.Linha4.empty()};
    int linhas = 0;
    while (linhas < 4 && cheia[linhas])
        ++linhas;
    for (int k = linhas; k < 4; ++k) {
        if (cheia[k])
            return 0;  // a filled line after an empty one
    }
    return linhas;
}

std::int32_t Velocidade(std::int32_t numToques, double tempoMaximo)
{
    if (!(tempoMaximo > 0))
        return 0;
    const double tempo = std::trunc(double(numToques) * kMinutoEmDias / tempoMaximo);
    if (!(tempo >= double(std::numeric_limits<std::int32_t>::min())
          && tempo <= double(std::numeric_limits<std::int32_t>::max())))
        return 0;
    return std::int32_t(tempo);
}
