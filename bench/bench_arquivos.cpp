// The course's file operations, each beside its floor: the loaders and the
// progress screen beside a plain sequential read of the same file in records
// of the same size, the append beside a bare write and fdatasync.

#include "bench/support.h"

#include "data/datafiles.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "students/desempenho.h"
#include "students/uDesempenho.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const int kHistorySizes[] = {10'000, 100'000, 1'000'000};

QString historyDir(int records)
{
    return workDir(QStringLiteral("aulas-%1").arg(records));
}

// A lesson file of three students' records, interleaved.
void makeHistory(int records)
{
    QByteArray bytes(qsizetype(records) * qsizetype(sizeof(tAula)), '\0');
    for (int i = 0; i < records; ++i) {
        tAula a{};
        a.CodAluno = 1 + i % 3;
        a.Data = 46000 + i / 100;
        a.Tempo = 100 + i % 50;
        a.NumExerc = std::uint8_t(1 + i % 60);
        std::memcpy(bytes.data() + qsizetype(i) * qsizetype(sizeof a), &a, sizeof a);
    }
    writeBytes(QDir(historyDir(records)).filePath(kArquivoAulas), bytes);
}

// A catalogue of 100 exercises of four lines each, scrambled with their keys.
void makeCatalogue(const QString& dir)
{
    QByteArray bytes;
    for (int n = 1; n <= 100; ++n) {
        const QByteArray key = GeraChave();
        tExercicio e{};
        e.Chave.set(key);
        e.Numero = std::uint8_t(n);
        for (TextField<100>* line : {&e.Linha1, &e.Linha2, &e.Linha3, &e.Linha4})
            line->set(Embaralha("asdf jkl\xe7 asdf jkl\xe7 a casa da av\xf3 fica perto daqui", key));
        e.Instrucao.set(Embaralha(QByteArray(180, 'i'), key));
        e.NumToques = 200;
        e.LinhasExigidas = 5;
        bytes += QByteArray(reinterpret_cast<const char*>(&e), int(sizeof e));
    }
    writeBytes(QDir(dir).filePath(kArquivoExercicios), bytes);
}

// A student file of 100 students, saved as the registration screen saves them.
void makeRoster(const QString& dir)
{
    QDir::setCurrent(dir);
    CodAlunoAtual = 0;
    for (int n = 1; n <= 100; ++n)
        GravaAluno(QStringLiteral("Aluno n\u00famero %1 da turma da tarde").arg(n),
                   n % 2 ? QStringLiteral("senha%1").arg(n) : QString(),
                   QStringLiteral("aluno%1@escola.com.br").arg(n), 36000 + n, n % 3);
}

void historyRead(benchmark::State& state, int records)
{
    QDir::setCurrent(historyDir(records));
    CodAlunoAtual = 2;
    // the read does not turn the event loop: the screen waits for all of it
    for (auto _ : state)
        LeHistoricoAulas();
    state.SetItemsProcessed(state.iterations() * records);
    state.SetComplexityN(records);
}

// The progress screen of one of the three students, as F3 opens it: the
// figures from one pass over the file, the screen built and drawn once.
void progressScreen(benchmark::State& state, int records)
{
    QDir::setCurrent(historyDir(records));
    tAluno aluno{};
    aluno.Codigo = 2;
    for (auto _ : state) {
        TfDesempenho tela(DesempenhoDosAlunos({aluno}).front(), 42);
        benchmark::DoNotOptimize(tela.grab());
    }
    state.SetItemsProcessed(state.iterations() * records);
}

// The figures of the class report: every student, one pass.
void classFigures(benchmark::State& state, int records)
{
    QDir::setCurrent(historyDir(records));
    std::vector<tAluno> turma(3);
    for (int k = 0; k < 3; ++k)
        turma[size_t(k)].Codigo = k + 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(DesempenhoDosAlunos(turma));
    state.SetItemsProcessed(state.iterations() * records);
}

void loadCatalogue(benchmark::State& state)
{
    QDir::setCurrent(workDir(QStringLiteral("catalogo")));
    for (auto _ : state)
        CarregaExercicios();
    state.SetItemsProcessed(state.iterations() * 100);
}

void loadRoster(benchmark::State& state)
{
    QDir::setCurrent(workDir(QStringLiteral("alunos")));
    for (auto _ : state)
        benchmark::DoNotOptimize(CarregaAlunos());
    state.SetItemsProcessed(state.iterations() * 100);
}

void append(benchmark::State& state)
{
    const QString dir = workDir(QStringLiteral("gravacao"));
    QDir::setCurrent(dir);
    writeBytes(QDir(dir).filePath(kArquivoAulas), {});
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = 1;
    AulaAtual.Data = 46000;
    for (auto _ : state) {
        ++AulaAtual.Tempo;
        GravaAula();
    }
    state.SetItemsProcessed(state.iterations());
}

// The floor of an append: one write of the record after the last, and
// fdatasync, on a file kept open.
void floorAppend(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(workDir(QStringLiteral("gravacao")) + "/piso.dat");
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    tAula record{};
    off_t offset = 0;
    for (auto _ : state) {
        ++record.Tempo;
        if (::pwrite(fd, &record, sizeof record, offset) != sizeof record || ::fdatasync(fd) != 0)
            state.SkipWithError("write failed");
        offset += sizeof record;
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations());
}

std::string historyName(const char* what, int records)
{
    return std::string(what) + "/" + std::to_string(records);
}

void registerAll()
{
    for (int records : kHistorySizes)
        makeHistory(records);
    makeCatalogue(workDir(QStringLiteral("catalogo")));
    makeRoster(workDir(QStringLiteral("alunos")));

    for (int records : kHistorySizes) {
        benchmark::RegisterBenchmark(historyName("floor_read_24B", records).c_str(), [records](benchmark::State& s) {
            floorRead(s, historyDir(records), kArquivoAulas, int(sizeof(tAula)));
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(historyName("LeHistoricoAulas", records).c_str(),
                                     [records](benchmark::State& s) { historyRead(s, records); })
            ->Unit(benchmark::kMicrosecond);
    }
    const int million = kHistorySizes[2];
    benchmark::RegisterBenchmark(historyName("TfDesempenho_abre", million).c_str(),
                                 [million](benchmark::State& s) { progressScreen(s, million); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(historyName("DesempenhoDaTurma", million).c_str(),
                                 [million](benchmark::State& s) { classFigures(s, million); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor_read_688B/100", [](benchmark::State& s) {
        floorRead(s, workDir(QStringLiteral("catalogo")), kArquivoExercicios, int(sizeof(tExercicio)));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CarregaExercicios/100", loadCatalogue)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("floor_read_400B/100", [](benchmark::State& s) {
        floorRead(s, workDir(QStringLiteral("alunos")), kArquivoAlunos, int(sizeof(tAluno)));
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("CarregaAlunos/100", loadRoster)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("floor_write_fdatasync_24B", floorAppend)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("GravaAula", append)->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Beside> pairs;
    for (int records : kHistorySizes)
        pairs.push_back({historyName("LeHistoricoAulas", records), historyName("floor_read_24B", records)});
    pairs.push_back({historyName("TfDesempenho_abre", 1'000'000), historyName("floor_read_24B", 1'000'000)});
    pairs.push_back({historyName("DesempenhoDaTurma", 1'000'000), historyName("floor_read_24B", 1'000'000)});
    pairs.push_back({"CarregaExercicios/100", "floor_read_688B/100"});
    pairs.push_back({"CarregaAlunos/100", "floor_read_400B/100"});
    pairs.push_back({"GravaAula", "floor_write_fdatasync_24B"});
    return benchMain(argc, argv, registerAll, pairs);
}
