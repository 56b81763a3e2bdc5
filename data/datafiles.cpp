#include "data/datafiles.h"

#include "data/records.h"
#include "data/scrambling.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"

#include <algorithm>
#include <limits>

namespace {

// Reads the file's whole records one by one into buffer, as long as onRecord
// asks for more. A trailing fragment is not a record. No user input is
// handled meanwhile: a read is over long before anyone could notice.
template <class Record, class OnRecord>
void readRecords(const QString& name, Record& buffer, OnRecord onRecord)
{
    RecordFile file(name, int(sizeof(Record)), RecordFile::Access::Read);
    file.readEach(buffer, onRecord);
    file.close();
}

// Writes record just after the file's last whole record (over a trailing
// fragment) and puts it on the disk before closing. The file is locked
// beforehand, so that no other instance of the program appends between the
// size query and the write.
template <class Record>
void writeAtTheEnd(RecordFile& file, const Record& record)
{
    file.seek(file.recordCount());
    file.write(&record);
    file.sync();
    file.close();
}

template <class Record>
void appendRecord(const QString& name, const Record& record)
{
    RecordFile file(name, int(sizeof(Record)), RecordFile::Access::ReadWrite);
    file.lock();
    writeAtTheEnd(file, record);
}

// The highest student number in the file, all of it read.
std::int32_t maiorNumero(RecordFile& alunos)
{
    std::int32_t maior = 0;
    tAluno aluno{};
    alunos.seek(0);
    alunos.readEach(aluno, [&] {
        maior = std::max(maior, aluno.Codigo);
        return true;
    });
    return maior;
}

template <int N>
void desembaralha(TextField<N>& campo, const TextField<N>& embaralhado, const QByteArray& chave)
{
    campo.set(Desembaralha(embaralhado.bytes(), chave));
}

void preencheExercicio(tExercicio& destino, const tExercicio& lido)
{
    const QByteArray chave = lido.Chave.bytes();
    desembaralha(destino.Linha1, lido.Linha1, chave);
    desembaralha(destino.Linha2, lido.Linha2, chave);
    desembaralha(destino.Linha3, lido.Linha3, chave);
    desembaralha(destino.Linha4, lido.Linha4, chave);
    desembaralha(destino.Instrucao, lido.Instrucao, chave);
    destino.Numero = lido.Numero;
    destino.NumToques = lido.NumToques;
    std::memcpy(destino.reservado3, lido.reservado3, sizeof destino.reservado3);
    destino.LinhasExigidas = lido.LinhasExigidas;
}

void preencheAluno(tAluno& destino, const tAluno& lido)
{
    const QByteArray chave = lido.Chave.bytes();
    desembaralha(destino.Nome, lido.Nome, chave);
    desembaralha(destino.Senha, lido.Senha, chave);
    // a student without a password is stored with "=="
    if (destino.Senha.bytes() == "==")
        destino.Senha.set({});
    desembaralha(destino.EMail, lido.EMail, chave);
    destino.DataNasc = lido.DataNasc;
    destino.Periodo.set(lido.Periodo.bytes());
    destino.Codigo = lido.Codigo;
}

// A text as typed, scrambled with the record's key into its field.
template <int N>
void guarda(TextField<N>& campo, const QString& texto, const QByteArray& chave)
{
    campo.set(Embaralha(toCp1252(texto), chave));
}

// "==" stands for no password: the empty text's marker would not fit
void guardaSenha(tAluno& aluno, const QString& senha, const QByteArray& chave)
{
    aluno.Senha.set(Embaralha(senha.isEmpty() ? QByteArray("==") : toCp1252(senha), chave));
}

// The place of the first record numbered codigo, read into aluno; -1 when
// the file has none.
std::int64_t procuraAluno(RecordFile& alunos, std::int32_t codigo, tAluno& aluno)
{
    std::int64_t lugar = -1;
    std::int64_t i = 0;
    alunos.seek(0);
    alunos.readEach(aluno, [&] {
        if (aluno.Codigo == codigo)
            lugar = i;
        ++i;
        return lugar < 0;
    });
    return lugar;
}

void corrige(tAluno& aluno, const CorrecaoAluno& correcao)
{
    const QByteArray chave = aluno.Chave.bytes();
    if (correcao.nome)
        guarda(aluno.Nome, *correcao.nome, chave);
    if (correcao.email)
        guarda(aluno.EMail, *correcao.email, chave);
    if (correcao.senha)
        guardaSenha(aluno, *correcao.senha, chave);
    if (correcao.periodo)
        aluno.Periodo.set(QByteArray::number(*correcao.periodo));
}

}  // namespace

void CarregaExercicios()
{
    clearRecord(ExercicioAtual);
    Exercicios.clear();
    int i = 0;
    // records beyond the catalogue's last slot are not read
    readRecords(kArquivoExercicios, ExercicioAtual, [&] {
        ++i;
        preencheExercicio(Exercicios[i], ExercicioAtual);
        return i < Exercicios.size;
    });
    // an empty or cut catalogue is no finished course
    if (i == 0)
        throw AppError(QStringLiteral("O catálogo de exercícios %1 está danificado: não há nele nenhum exercício inteiro")
                           .arg(shownFileName(kArquivoExercicios)));
}

std::uint8_t CarregaAlunos()
{
    // a correction cut short by a crash is undone before the roster is read
    RecordFile::finishRewrite(kArquivoAlunos, int(sizeof(tAluno)));
    int count = 0;
    // students beyond the roster's last slot are not read
    readRecords(kArquivoAlunos, AlunoAtual, [&] {
        ++count;
        preencheAluno(ListaAlunos[count], AlunoAtual);
        return count < ListaAlunos.size;
    });
    return std::uint8_t(count);
}

std::int64_t QuantosAlunos()
{
    if (!fileExists(kArquivoAlunos))
        return 0;
    RecordFile file(kArquivoAlunos, int(sizeof(tAluno)), RecordFile::Access::Read);
    const std::int64_t count = file.recordCount();
    file.close();
    return count;
}

void MaiorCodigo()
{
    CodAlunoAtual = 0;
    if (!fileExists(kArquivoAlunos))
        return;
    readRecords(kArquivoAlunos, AlunoAtual, [] {
        if (AlunoAtual.Codigo > CodAlunoAtual)
            CodAlunoAtual = AlunoAtual.Codigo;
        return true;
    });
}

bool GravaAluno(const QString& nome, const QString& senha, const QString& email, double dataNasc,
                int periodo)
{
    const QByteArray chave = GeraChave().left(10);
    tAluno novo;
    clearRecord(novo);
    novo.Chave.set(chave);
    guarda(novo.Nome, nome, chave);
    guardaSenha(novo, senha, chave);
    guarda(novo.EMail, email, chave);
    novo.DataNasc = dataNasc;
    novo.Periodo.set(QByteArray::number(periodo));

    // The number and the room are taken under the lock of the append: two
    // machines saving at once on a shared folder get two numbers.
    RecordFile::createIfMissing(kArquivoAlunos);
    RecordFile alunos(kArquivoAlunos, int(sizeof(tAluno)), RecordFile::Access::ReadWrite);
    alunos.lock();
    if (alunos.recordCount() >= ListaAlunos.size) {
        alunos.close();
        return false;
    }
    CodAlunoAtual = maiorNumero(alunos);
    // a damaged file may hold the highest number there is: no number after
    // it is free, and a repeated one would mix two students' lessons
    if (CodAlunoAtual == std::numeric_limits<std::int32_t>::max())
        throw AppError(QStringLiteral("Integer overflow"));
    novo.Codigo = ++CodAlunoAtual;
    writeAtTheEnd(alunos, novo);

    // a lesson history already there is the class's: it is only ever appended to
    RecordFile::createIfMissing(kArquivoAulas);
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = CodAlunoAtual;
    AulaAtual.Data = today();
    GravaAula();

    NumAlunos = CarregaAlunos();
    return true;
}

namespace {

// The old record back after its change's line failed, and that failure
// thrown; the failure's message when the old record could not go back.
std::optional<QString> devolveAluno(RecordFile& alunos, std::int64_t lugar, const tAluno& antes,
                                    const AppError& falha)
{
    try {
        alunos.rewrite(lugar, &antes);
    } catch (const AppError&) {
        return falha.message();
    }
    throw falha;
}

}  // namespace

std::optional<QString> RegravaAluno(std::int32_t codigo, const CorrecaoAluno& correcao,
                                    const std::function<void()>& registra)
{
    RecordFile alunos(kArquivoAlunos, int(sizeof(tAluno)), RecordFile::Access::ReadWrite);
    alunos.lock();
    tAluno aluno{};
    const std::int64_t lugar = procuraAluno(alunos, codigo, aluno);
    if (lugar < 0)
        throw AppError(QStringLiteral("O aluno de código %1 não está no arquivo %2")
                           .arg(codigo)
                           .arg(shownFileName(kArquivoAlunos)));
    const tAluno antes = aluno;
    corrige(aluno, correcao);
    alunos.rewrite(lugar, &aluno);
    if (registra) {
        try {
            registra();
        } catch (const AppError& falha) {
            return devolveAluno(alunos, lugar, antes, falha);
        }
    }
    // the record is on the disk: a failing close cannot undo it, and the
    // file closes quietly when it goes
    return std::nullopt;
}

void LeHistoricoAulas()
{
    HistoricoAulas.clear();
    clearRecord(AulaAtual);
    int n = 0;
    tAula last{};
    // the history keeps what fits; the last record counts whatever the number
    readRecords(kArquivoAulas, AulaAtual, [&] {
        if (AulaAtual.CodAluno == CodAlunoAtual) {
            ++n;
            if (n <= HistoricoAulas.size)
                HistoricoAulas[n] = AulaAtual;
            last = AulaAtual;
        }
        return true;
    });
    AulaAtual = last;
}

void GravaAula()
{
    appendRecord(kArquivoAulas, AulaAtual);
}
