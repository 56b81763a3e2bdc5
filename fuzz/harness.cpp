#include "fuzz/harness.h"

#include "course/estatisticas.h"
#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/toques.h"
#include "data/records.h"
#include "data/scrambling.h"
#include "platform/clock.h"
#include "students/acesso.h"
#include "students/desempenho.h"
#include "students/matricula.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "platform/sharedlock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool writeAs(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

template <class Record>
std::vector<Record> recordsOf(const QByteArray& file)
{
    std::vector<Record> records(size_t(file.size()) / sizeof(Record));
    if (!records.empty())
        std::memcpy(static_cast<void*>(records.data()), file.constData(), records.size() * sizeof(Record));
    return records;
}

template <class Record>
bool same(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

template <class Record>
bool isZero(const Record& r)
{
    return same(r, Record{});
}

template <class Record>
void spoil(Record& r)
{
    std::memset(static_cast<void*>(&r), 0x55, sizeof(Record));
}

template <size_t N>
bool allZero(const std::uint8_t (&bytes)[N])
{
    return std::all_of(bytes, bytes + N, [](std::uint8_t b) { return b == 0; });
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether a key's scrambling digits can be read: positions 6 and 7, and the
// position that position 7 names, hold decimal digits.
bool usableKey(const QByteArray& key)
{
    if (key.size() < 10 || !isDigit(key[5]) || !isDigit(key[6]))
        return false;
    const int p = key[6] - '0';
    return p >= 1 && isDigit(key[p - 1]);
}

// The 1-based number of the first of the first `count` records whose key
// cannot be used, or 0.
template <class Record>
int firstUnusableKey(const std::vector<Record>& records, size_t count)
{
    for (size_t i = 0; i < std::min(count, records.size()); ++i) {
        if (!usableKey(records[i].Chave.bytes()))
            return int(i) + 1;
    }
    return 0;
}

// The text a loader must put into a slot: the stored text unscrambled with
// the record's key and cut to the field.
template <int N>
bool unscrambledInto(const TextField<N>& slot, const TextField<N>& stored, const QByteArray& key)
{
    return slot.length <= N && slot.bytes() == Desembaralha(stored.bytes(), key).left(N);
}

QString checkExercise(const tExercicio& slot, const tExercicio& raw)
{
    const QByteArray key = raw.Chave.bytes();
    if (!isZero(slot.Chave) || !allZero(slot.reservado1) || !allZero(slot.reservado2) ||
        !allZero(slot.reservado4))
        return QStringLiteral("a slot keeps its key or reserved bytes");
    if (slot.Numero != raw.Numero || slot.NumToques != raw.NumToques ||
        slot.LinhasExigidas != raw.LinhasExigidas ||
        std::memcmp(slot.reservado3, raw.reservado3, sizeof slot.reservado3) != 0)
        return QStringLiteral("a plain field of a slot differs from the file");
    if (!unscrambledInto(slot.Linha1, raw.Linha1, key) || !unscrambledInto(slot.Linha2, raw.Linha2, key) ||
        !unscrambledInto(slot.Linha3, raw.Linha3, key) || !unscrambledInto(slot.Linha4, raw.Linha4, key) ||
        !unscrambledInto(slot.Instrucao, raw.Instrucao, key))
        return QStringLiteral("a text of a slot is not its stored text unscrambled");
    return {};
}

QString checkStudent(const tAluno& slot, const tAluno& raw)
{
    const QByteArray key = raw.Chave.bytes();
    if (!isZero(slot.Chave) || slot.reservado1 != 0 || !allZero(slot.reservado2) ||
        !allZero(slot.reservado3) || !allZero(slot.reservado4))
        return QStringLiteral("a roster slot keeps its key or reserved bytes");
    if (slot.Codigo != raw.Codigo || std::memcmp(&slot.DataNasc, &raw.DataNasc, sizeof(double)) != 0 ||
        slot.Periodo.length > 2 || slot.Periodo.bytes() != raw.Periodo.bytes())
        return QStringLiteral("a plain field of a roster slot differs from the file");
    if (!unscrambledInto(slot.Nome, raw.Nome, key) || !unscrambledInto(slot.EMail, raw.EMail, key))
        return QStringLiteral("a name or e-mail is not its stored text unscrambled");
    QByteArray senha = Desembaralha(raw.Senha.bytes(), key).left(15);
    if (senha == "==")
        senha.clear();
    if (slot.Senha.length > 15 || slot.Senha.bytes() != senha)
        return QStringLiteral("a password is not its stored text unscrambled");
    return {};
}

// Runs a reader; returns whether it stopped with the key's conversion error,
// and puts any other error into `finding`.
template <class Reader>
bool stoppedByKey(Reader reader, QString& finding)
{
    try {
        reader();
    } catch (const ConversionError&) {
        return true;
    } catch (const AppError& error) {
        finding = QStringLiteral("unexpected error: ") + error.message();
    } catch (const std::exception& error) {
        finding = QStringLiteral("unexpected exception: ") + QString::fromLocal8Bit(error.what());
    }
    return false;
}

QString checkMaiorCodigo(const std::vector<tAluno>& records)
{
    std::int32_t highest = 0;
    for (const tAluno& r : records)
        highest = std::max(highest, r.Codigo);
    CodAlunoAtual = -7;
    QString finding;
    if (stoppedByKey(MaiorCodigo, finding))
        return QStringLiteral("MaiorCodigo stopped with a conversion error");
    if (finding.isEmpty() && CodAlunoAtual != highest)
        return QStringLiteral("MaiorCodigo gives %1, the file's highest is %2").arg(CodAlunoAtual).arg(highest);
    return finding;
}

QString checkClassLine(const LinhaDaTurma& linha)
{
    if (linha.nome != linha.nome.trimmed() || linha.email != linha.email.trimmed())
        return QStringLiteral("line %1: a field keeps blanks around it").arg(linha.numero);
    if (linha.fora != linha.recusa)
        return QStringLiteral("line %1: left out for another reason than its refusal").arg(linha.numero);
    if (!linha.recusa.isEmpty())
        return {};
    if (linha.nome.isEmpty() || ProblemaDoNome(linha.nome) || ProblemaDoEMail(linha.email))
        return QStringLiteral("line %1: taken with a name or an e-mail the registration refuses").arg(linha.numero);
    if (Visivel(linha.nome) != linha.nome || Visivel(linha.email) != linha.email)
        return QStringLiteral("line %1: taken with a control character").arg(linha.numero);
    return {};
}

// The lines taken, as a spreadsheet would save them: a heading, every field
// in quotes, UTF-16 after its byte-order mark.
QByteArray savedAsASpreadsheet(const std::vector<LinhaDaTurma>& taken)
{
    auto quoted = [](QString field) { return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"'; };
    QString text = QStringLiteral("Nome;E-mail\r\n");
    for (const LinhaDaTurma& linha : taken)
        text += quoted(linha.nome) + u';' + quoted(linha.email) + QStringLiteral("\r\n");
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return utf16(text);
}

QString checkClassRepetitions(std::vector<LinhaDaTurma> turma)
{
    MarcaRepetidas(turma, {});
    QSet<QString> seen;
    for (const LinhaDaTurma& linha : turma) {
        if (!linha.recusa.isEmpty()) {
            if (!linha.repetida.isEmpty())
                return QStringLiteral("line %1: refused and marked repeated").arg(linha.numero);
            continue;
        }
        if (seen.isEmpty() && !linha.repetida.isEmpty())
            return QStringLiteral("line %1: the first line taken is marked repeated").arg(linha.numero);
        if (seen.contains(linha.nome) && linha.repetida.isEmpty())
            return QStringLiteral("line %1: a name of a line above is not marked").arg(linha.numero);
        seen.insert(linha.nome);
    }
    DecideMatricula(turma, false, 100);
    if (Aceitas(turma) > 100)
        return QStringLiteral("more lines taken than the places left");
    return {};
}

}  // namespace

QString checkCatalogue(const QByteArray& file)
{
    if (!writeAs(kArquivoExercicios, file))
        return QStringLiteral("cannot write the input file");
    const auto records = recordsOf<tExercicio>(file);
    spoil(Exercicios);
    spoil(ExercicioAtual);

    QString finding;
    const bool stopped = stoppedByKey(CarregaExercicios, finding);
    if (records.empty())
        return finding.contains(QStringLiteral("está danificado")) ? QString()
                                                                   : QStringLiteral("an empty catalogue was taken");
    if (!finding.isEmpty())
        return finding;
    const int bad = firstUnusableKey(records, size_t(Exercicios.size));
    if (stopped != (bad != 0))
        return stopped ? QStringLiteral("a usable key stopped the load")
                       : QStringLiteral("an unusable key did not stop the load");
    // the load stops at the record with the bad key: its slot and all after stay zero
    const int filled = bad != 0 ? bad - 1 : std::min(int(records.size()), Exercicios.size);
    for (int i = 1; i <= Exercicios.size; ++i) {
        const QString problem = i <= filled ? checkExercise(Exercicios[i], records[size_t(i - 1)])
                                : isZero(Exercicios[i]) ? QString()
                                                        : QStringLiteral("a slot after the last read is not zero");
        if (!problem.isEmpty())
            return QStringLiteral("slot %1: ").arg(i) + problem;
    }
    const int lastRead = bad != 0 ? bad : filled;
    const bool bufferRight = lastRead == 0 ? isZero(ExercicioAtual)
                                           : same(ExercicioAtual, records[size_t(lastRead - 1)]);
    return bufferRight ? QString() : QStringLiteral("ExercicioAtual is not the last record read");
}

QString checkRoster(const QByteArray& file)
{
    if (!writeAs(kArquivoAlunos, file))
        return QStringLiteral("cannot write the input file");
    const auto records = recordsOf<tAluno>(file);
    ListaAlunos.clear();
    clearRecord(AlunoAtual);

    std::uint8_t count = 0xEE;
    QString finding;
    const bool stopped = stoppedByKey([&] { count = CarregaAlunos(); }, finding);
    if (!finding.isEmpty())
        return finding;
    const int bad = firstUnusableKey(records, size_t(ListaAlunos.size));
    if (stopped != (bad != 0))
        return stopped ? QStringLiteral("a usable key stopped the load")
                       : QStringLiteral("an unusable key did not stop the load");
    const int filled = bad != 0 ? bad - 1 : std::min(int(records.size()), ListaAlunos.size);
    if (!stopped && count != filled)
        return QStringLiteral("CarregaAlunos returns %1 for %2 records").arg(count).arg(records.size());
    for (int k = 1; k <= ListaAlunos.size; ++k) {
        const QString problem = k <= filled ? checkStudent(ListaAlunos[k], records[size_t(k - 1)])
                                : isZero(ListaAlunos[k]) ? QString()
                                                         : QStringLiteral("a slot after the last read is not zero");
        if (!problem.isEmpty())
            return QStringLiteral("slot %1: ").arg(k) + problem;
    }
    const int lastRead = bad != 0 ? bad : filled;
    if (!(lastRead == 0 ? isZero(AlunoAtual) : same(AlunoAtual, records[size_t(lastRead - 1)])))
        return QStringLiteral("AlunoAtual is not the last record read");
    return checkMaiorCodigo(records);
}

QString checkHistory(const QByteArray& file)
{
    if (!writeAs(kArquivoAulas, file))
        return QStringLiteral("cannot write the input file");
    const auto records = recordsOf<tAula>(file);
    std::int32_t student = 0;
    if (file.size() >= 4)
        std::memcpy(&student, file.constData(), sizeof student);
    std::vector<tAula> theirs;
    std::copy_if(records.begin(), records.end(), std::back_inserter(theirs),
                 [&](const tAula& r) { return r.CodAluno == student; });

    CodAlunoAtual = student;
    spoil(HistoricoAulas);
    spoil(AulaAtual);
    QString finding;
    if (stoppedByKey(LeHistoricoAulas, finding))
        return QStringLiteral("the history read stopped with a conversion error");
    if (!finding.isEmpty())
        return finding;
    for (int i = 1; i <= HistoricoAulas.size; ++i) {
        const bool right = size_t(i) <= theirs.size() ? same(HistoricoAulas[i], theirs[size_t(i - 1)])
                                                      : isZero(HistoricoAulas[i]);
        if (!right)
            return QStringLiteral("HistoricoAulas entry %1 is wrong").arg(i);
    }
    const bool lastRight = theirs.empty() ? isZero(AulaAtual) : same(AulaAtual, theirs.back());
    return lastRight ? QString() : QStringLiteral("AulaAtual is not the student's last record");
}

QString checkProgress(const QByteArray& file)
{
    if (!writeAs(kArquivoAulas, file))
        return QStringLiteral("cannot write the input file");
    const auto records = recordsOf<tAula>(file);
    std::int32_t first = 0;
    if (file.size() >= 4)
        std::memcpy(&first, file.constData(), sizeof first);
    std::vector<tAluno> alunos(3);
    for (tAluno& aluno : alunos)
        clearRecord(aluno);
    alunos[0].Codigo = first;
    alunos[1].Codigo = first ^ 1;

    std::vector<Desempenho> figuras;
    QString finding;
    if (stoppedByKey([&] { figuras = DesempenhoDosAlunos(alunos); }, finding))
        return QStringLiteral("the figures stopped with a conversion error");
    if (!finding.isEmpty())
        return finding;
    for (size_t k = 0; k < alunos.size(); ++k) {
        // a repeated number gives its lessons to the first holder
        const bool dono = std::none_of(alunos.begin(), alunos.begin() + qsizetype(k),
                                       [&](const tAluno& a) { return a.Codigo == alunos[k].Codigo; });
        std::vector<tAula> passes;
        std::copy_if(records.begin(), records.end(), std::back_inserter(passes), [&](const tAula& r) {
            return dono && r.CodAluno == alunos[k].Codigo && r.NumExerc >= 1;
        });
        const Desempenho& d = figuras[k];
        if (d.passagens.size() != passes.size())
            return QStringLiteral("student %1: %2 passes, the file holds %3")
                .arg(k).arg(d.passagens.size()).arg(passes.size());
        for (size_t i = 0; i < passes.size(); ++i) {
            const QDate data = d.passagens[i].data;
            // a date is a calendar date or none, and shows as one
            if (data != dateOfDayCount(passes[i].Data) || (data.isValid() && data.year() < 1))
                return QStringLiteral("student %1, pass %2: a date outside the calendar").arg(k).arg(i);
            if (data.isValid() == shortDate(data).isEmpty())
                return QStringLiteral("student %1, pass %2: its date does not show as it is").arg(k).arg(i);
        }
    }
    return {};
}

QString checkUnscrambling(const QByteArray& input)
{
    if (input.isEmpty())
        return {};
    const qsizetype keyLength = std::min<qsizetype>(std::uint8_t(input[0]) % 12, input.size() - 1);
    const QByteArray key = input.mid(1, keyLength);
    const QByteArray stored = input.mid(1 + keyLength);

    QByteArray plain;
    QString finding;
    const bool stopped = stoppedByKey([&] { plain = Desembaralha(stored, key); }, finding);
    if (!finding.isEmpty())
        return finding;
    if (stopped != !usableKey(key))
        return stopped ? QStringLiteral("a usable key was refused") : QStringLiteral("an unusable key was taken");
    if (stopped)
        return {};
    if (stored == kMarcaTextoVazio)
        return plain.isEmpty() ? QString() : QStringLiteral("the empty-text marker does not read as empty");
    if (plain.size() != stored.size())
        return QStringLiteral("unscrambling changed the length");
    // short stored texts pass through; longer ones scramble back to themselves
    const QByteArray back = stored.size() < 2 ? plain : Embaralha(plain, key);
    return back == stored ? QString() : QStringLiteral("scrambling the plain text does not give the stored text");
}

QString checkClassList(const QByteArray& file)
{
    const std::vector<LinhaDaTurma> turma = LeListaDaTurma(file);
    std::vector<LinhaDaTurma> taken;
    int previous = 0;
    for (const LinhaDaTurma& linha : turma) {
        if (linha.numero <= previous || linha.numero > file.size() + 1)
            return QStringLiteral("line %1 after line %2 of a file of %3 bytes")
                .arg(linha.numero)
                .arg(previous)
                .arg(file.size());
        previous = linha.numero;
        if (const QString problem = checkClassLine(linha); !problem.isEmpty())
            return problem;
        if (linha.recusa.isEmpty())
            taken.push_back(linha);
    }
    const std::vector<LinhaDaTurma> again = LeListaDaTurma(savedAsASpreadsheet(taken));
    if (again.size() != taken.size())
        return QStringLiteral("%1 lines taken read back as %2").arg(taken.size()).arg(again.size());
    for (size_t i = 0; i < taken.size(); ++i) {
        if (again[i].nome != taken[i].nome || again[i].email != taken[i].email || !again[i].recusa.isEmpty())
            return QStringLiteral("line %1 reads back otherwise").arg(taken[i].numero);
    }
    return checkClassRepetitions(turma);
}

namespace {

// The three students a journal is tried against.
std::vector<tAluno> journalsClass()
{
    std::vector<tAluno> alunos(3);
    for (size_t i = 0; i < alunos.size(); ++i) {
        clearRecord(alunos[i]);
        alunos[i].Codigo = std::int32_t(i + 1);
        alunos[i].Chave.set("1234567890");
    }
    return alunos;
}

// The record a whole journal puts back, and where; none for other bytes.
std::optional<std::pair<std::int64_t, tAluno>> journalsRecord(const QByteArray& journal)
{
    const qsizetype head = 8 + 8 + 4;
    if (journal.size() != head + qsizetype(sizeof(tAluno)) + 32 || !journal.startsWith("QRVANT01"))
        return std::nullopt;
    if (QCryptographicHash::hash(journal.left(journal.size() - 32), QCryptographicHash::Sha256) != journal.right(32))
        return std::nullopt;
    std::int64_t number;
    std::int32_t size;
    std::memcpy(&number, journal.constData() + 8, sizeof number);
    std::memcpy(&size, journal.constData() + 16, sizeof size);
    if (number < 0 || number >= 3 || size != std::int32_t(sizeof(tAluno)))
        return std::nullopt;
    tAluno record;
    std::memcpy(static_cast<void*>(&record), journal.constData() + head, sizeof record);
    return std::pair{number, record};
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool aShare(double figure)
{
    return std::isfinite(figure) && figure >= 0 && figure <= 1;
}

}  // namespace

QString checkJournal(const QByteArray& journal)
{
    std::vector<tAluno> alunos = journalsClass();
    QByteArray file;
    for (const tAluno& aluno : alunos)
        file.append(reinterpret_cast<const char*>(&aluno), sizeof aluno);
    if (!writeAs(kArquivoAlunos, file) || !writeAs(rewriteJournal(kArquivoAlunos), journal))
        return QStringLiteral("cannot write the input files");
    try {
        CarregaAlunos();
    } catch (const AppError& error) {
        return QStringLiteral("the roster did not load: %1").arg(error.message());
    }
    if (const auto putBack = journalsRecord(journal))
        alunos[size_t(putBack->first)] = putBack->second;
    QFile stored(kArquivoAlunos);
    if (!stored.open(QIODevice::ReadOnly))
        return QStringLiteral("the student file is gone");
    const auto records = recordsOf<tAluno>(stored.readAll());
    if (records.size() != alunos.size() || stored.size() != qint64(file.size()))
        return QStringLiteral("the student file grew or shrank");
    for (size_t i = 0; i < alunos.size(); ++i) {
        if (!same(records[i], alunos[i]))
            return QStringLiteral("student %1 is not what the journal says").arg(i + 1);
    }
    if (QFile::exists(rewriteJournal(kArquivoAlunos)))
        return QStringLiteral("the journal stayed");
    if (!QDir(kLockFolder).isEmpty())
        return QStringLiteral("a lock stayed");
    return {};
}

QString checkKeyStatistics(const QByteArray& file)
{
    if (!writeAs(kArquivoToques, file))
        return QStringLiteral("cannot write the input file");
    const auto records = recordsOf<tToque>(file);
    const std::int32_t first = records.empty() ? 0 : records.front().CodAluno;
    const std::vector<std::int32_t> codigos{first, 0};
    std::vector<estatisticas::TeclasDoAluno> teclas;
    try {
        teclas = estatisticas::TeclasDosAlunos(codigos);
    } catch (const AppError& error) {
        return QStringLiteral("the statistics did not load: %1").arg(error.message());
    }
    for (size_t k = 0; k < codigos.size(); ++k) {
        std::array<std::uint64_t, 256> esperadas{};
        // a repeated number gives its records to the first holder
        if (k == 0 || codigos[k] != codigos[0]) {
            for (const tToque& r : records) {
                if (r.CodAluno == codigos[k])
                    esperadas[r.Caractere] += r.Esperadas;
            }
        }
        for (int c = 0; c < 256; ++c) {
            const estatisticas::FigurasDoCaractere f = teclas[k].figuras(char(c));
            if (f.esperadas != esperadas[size_t(c)])
                return QStringLiteral("student %1, character %2: expected %3 times, the file holds %4")
                    .arg(k).arg(c).arg(f.esperadas).arg(esperadas[size_t(c)]);
            if (f.conhecida() && (!aShare(f.taxaDeErro()) || !aShare(f.confianca())))
                return QStringLiteral("student %1, character %2: a figure outside 0 to 1").arg(k).arg(c);
        }
        if (hasControlCharacter(estatisticas::TextoDasTeclasATreinar(teclas[k])))
            return QStringLiteral("student %1: a control character among the keys to train").arg(k);
    }
    return {};
}

QString checkChangeLog(const QByteArray& file)
{
    if (!writeAs(kArquivoAlteracoes, file))
        return QStringLiteral("cannot write the input file");
    try {
        for (const int quantas : {1, 3, 1000}) {
            const QStringList linhas = UltimasAlteracoes(quantas);
            if (linhas.size() > quantas)
                return QStringLiteral("%1 lines asked, %2 given").arg(quantas).arg(linhas.size());
            for (const QString& linha : linhas) {
                if (linha.isEmpty() || linha.contains(u'\n'))
                    return QStringLiteral("a line of the log is empty or more than one");
            }
        }
        clockseam::set(QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30)));
        const QString esperada =
            shortDate(today()) + u' ' + longTime(timeOfDay()) + QStringLiteral(" - código 7 - nome corrigido");
        RegistraAlteracoes(7, {QStringLiteral("nome corrigido")});
        clockseam::reset();
        if (UltimasAlteracoes(1) != QStringList{esperada})
            return QStringLiteral("the line added reads back as \"%1\"").arg(UltimasAlteracoes(1).value(0));
    } catch (const AppError& error) {
        return QStringLiteral("the log failed: %1").arg(error.message());
    }
    return {};
}
