#include "fixture_alunos.h"

#include "ui/uAjusta.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "platform/clock.h"

#include <QDateTime>

namespace {

void limpaRegistros()
{
    ListaAlunos.clear();
    clearRecord(AlunoAtual);
    NumAlunos = 0;
    CodAlunoAtual = 0;
    clearRecord(AulaAtual);
    HistoricoAulas.clear();
    Exercicios.clear();
    clearRecord(ExercicioAtual);
    NumExercicio = 0;
}

}  // namespace

void ComAlunos::SetUp()
{
    InTempDir::SetUp();
    LarguraTela = 1280;
    clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
    limpaRegistros();
}

void ComAlunos::TearDown()
{
    limpaRegistros();
    InTempDir::TearDown();
}

std::int32_t ComAlunos::cadastra(const QString& nome, const QString& senha, int periodo)
{
    MaiorCodigo();
    GravaAluno(nome, senha, QString(), hoje(), periodo);
    return CodAlunoAtual;
}

void ComAlunos::registraAula(std::int32_t codAluno, double data, std::int32_t tempo, int numExerc)
{
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = codAluno;
    AulaAtual.Data = data;
    AulaAtual.Tempo = tempo;
    AulaAtual.NumExerc = std::uint8_t(numExerc);
    GravaAula();
}

void ComAlunos::catalogo(int n)
{
    Exercicios.clear();
    for (int i = 1; i <= n; ++i) {
        Exercicios[i].Numero = std::uint8_t(i);
        Exercicios[i].Linha1.set(QByteArray("asdf ") + QByteArray::number(i));
        Exercicios[i].LinhasExigidas = 1;
    }
}

void ComAlunos::carregaComoNaAbertura()
{
    NumAlunos = CarregaAlunos();
}

double ComAlunos::hoje()
{
    return today();
}
