#include "data/records.h"

#include "data/text.h"

Table<tExercicio, 100> Exercicios{};
tExercicio ExercicioAtual{};

Table<tAluno, 100> ListaAlunos{};
tAluno AlunoAtual{};
std::uint8_t NumAlunos = 0;
std::int32_t CodAlunoAtual = 0;

tAula AulaAtual{};
Table<tAula, 200> HistoricoAulas{};

std::int32_t NumExercicio = 0;

QString InstrucaoMostrada(QByteArrayView instrucao, int numToques)
{
    return fromCp1252(instrucao) + QStringLiteral(". Este exercício tem ") + QString::number(numToques)
           + QStringLiteral(" toques (caracteres).");
}
