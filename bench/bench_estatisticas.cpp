// The key statistics and the practice: the statistics of a class read from
// a file of 1,000,000 records beside a plain read of the same file, the
// alignment of a typed line, and the making of one practice line.

#include "bench/support.h"

#include "course/estatisticas.h"
#include "course/treino.h"
#include "data/text.h"
#include "data/toques.h"

#include <QDir>
#include <QFile>
#include <vector>

namespace {

constexpr int kRegistros = 1'000'000;
constexpr int kAlunos = 30;
// the characters of a sitting's records: the letters, the accented ones, signs
const QByteArray kCaracteres = "abcdefghijklmnopqrstuvwxyz\xE7\xE3\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4\xF5 ,.";
// and the capitals, which the practice's phrases begin with
const QByteArray kComMaiusculas = kCaracteres + "ABCDEFGHIJLMNOPQRSTUVZ";

QString pastaDosToques()
{
    return workDir(QStringLiteral("toques"));
}

// Sittings of the class one after another, one record per character typed
// in each.
void criaToques()
{
    QByteArray bytes(qsizetype(kRegistros) * qsizetype(sizeof(tToque)), '\0');
    for (int i = 0; i < kRegistros; ++i) {
        const int sessao = i / int(kCaracteres.size());
        tToque r{};
        r.CodAluno = 1 + sessao % kAlunos;
        r.Caractere = std::uint8_t(kCaracteres[i % kCaracteres.size()]);
        r.Origem = std::uint8_t(sessao % 4 ? OrigemDoToque::Curso : OrigemDoToque::Treino);
        r.Sessao = 46000 + sessao / 10.0;
        r.Esperadas = 20 + i % 30;
        r.Erradas = i % 5;
        r.Cronometradas = r.Esperadas - 1;
        r.Milissegundos = r.Cronometradas * (250 + i % 200);
        std::memcpy(bytes.data() + qsizetype(i) * qsizetype(sizeof r), &r, sizeof r);
    }
    writeBytes(QDir(pastaDosToques()).filePath(kArquivoToques), bytes);
}

// What the progress screen and the class report read: every student's figures, one pass.
void teclasDosAlunos(benchmark::State& state)
{
    QDir::setCurrent(pastaDosToques());
    std::vector<std::int32_t> codigos;
    for (int codigo = 1; codigo <= kAlunos; ++codigo)
        codigos.push_back(codigo);
    for (auto _ : state)
        benchmark::DoNotOptimize(estatisticas::TeclasDosAlunos(codigos));
    state.SetItemsProcessed(state.iterations() * kRegistros);
}

// a list the build checked for the practice, one a line
std::vector<QByteArray> lista(const QString& caminho)
{
    QFile arquivo(caminho);
    std::vector<QByteArray> linhas;
    if (!arquivo.open(QIODevice::ReadOnly))
        return linhas;
    for (const QByteArray& linha : arquivo.readAll().split('\n')) {
        if (!linha.isEmpty())
            linhas.push_back(toCp1252(QString::fromUtf8(linha)));
    }
    return linhas;
}

std::vector<QByteArray> palavras()
{
    return lista(QStringLiteral(QUIRAVO_PALAVRAS));
}

std::vector<QByteArray> frases()
{
    return lista(QStringLiteral(QUIRAVO_FRASES));
}

// A student who met every character of kCaracteres, weak on a few.
estatisticas::TeclasDoAluno aluno()
{
    estatisticas::TeclasDoAluno teclas;
    for (const char c : kCaracteres) {
        tToque r{};
        r.Caractere = std::uint8_t(c);
        r.Esperadas = r.Cronometradas = 100;
        r.Erradas = QByteArrayView("\xE7\xE3p").contains(c) ? 30 : 2;
        r.Milissegundos = 100 * 350;
        teclas.soma(r);
    }
    return teclas;
}

treino::Ensinados ensinados(const QByteArray& caracteres = kCaracteres)
{
    treino::Ensinados e{};
    for (const char c : caracteres)
        e[static_cast<unsigned char>(c)] = true;
    return e;
}

// One practice line from the words alone, weights set.
void linhaDoTreino(benchmark::State& state)
{
    treino::GeradorDeLinhas gerador(palavras(), {}, ensinados(), 1);
    gerador.Pesa(aluno());
    for (auto _ : state)
        benchmark::DoNotOptimize(gerador.Linha());
}

// One practice line from the words and phrases, for a student who met the
// capitals too: half the lines are phrases, each drawn from hundreds.
void linhaComFrases(benchmark::State& state)
{
    treino::GeradorDeLinhas gerador(palavras(), frases(), ensinados(kComMaiusculas), 1);
    gerador.Pesa(aluno());
    for (auto _ : state)
        benchmark::DoNotOptimize(gerador.Linha());
}

// What follows the ENTER of a practice line: the weights from the figures, then the next line.
void pesaELinha(benchmark::State& state)
{
    treino::GeradorDeLinhas gerador(palavras(), frases(), ensinados(kComMaiusculas), 1);
    const estatisticas::TeclasDoAluno teclas = aluno();
    for (auto _ : state) {
        gerador.Pesa(teclas);
        benchmark::DoNotOptimize(gerador.Linha());
    }
}

// A line of 80 judged at ENTER: the typed line aligned with it. A key left
// out at the start is the beginner's common case; nothing alike, the worst.
void alinha(benchmark::State& state, const QByteArray& digitada)
{
    const QByteArray pedida = QByteArray("asdf jkl\xE7 ").repeated(8);
    for (auto _ : state)
        benchmark::DoNotOptimize(estatisticas::Alinha(pedida, digitada));
}

void registerAll()
{
    criaToques();
    benchmark::RegisterBenchmark("floor_read_32B/1000000", [](benchmark::State& s) {
        floorRead(s, pastaDosToques(), kArquivoToques, int(sizeof(tToque)));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TeclasDosAlunos/1000000", teclasDosAlunos)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Alinha_80_uma_falta", [](benchmark::State& s) {
        alinha(s, QByteArray("asdf jkl\xE7 ").repeated(8).mid(1));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Alinha_80_nada_igual", [](benchmark::State& s) {
        alinha(s, QByteArray(80, 'x'));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("GeradorDeLinhas_Linha", linhaDoTreino)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("GeradorDeLinhas_Frases", linhaComFrases)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Pesa_e_Linha", pesaELinha)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv)
{
    return benchMain(argc, argv, registerAll, {{"TeclasDosAlunos/1000000", "floor_read_32B/1000000"}});
}
