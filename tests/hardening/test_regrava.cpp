// A student record rewritten in place, as the teacher's screen does, against
// failing file calls, a crash in the middle and a second machine appending:
// the record is always the old one whole or the new one whole, the other
// records and the lesson history stay, and no journal is left behind.

#include "correcoes.h"
#include "hardening.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/scrambling.h"
#include "data/text.h"
#include "platform/recordfile.h"
#include "students/professor.h"
#include "support/fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <functional>
#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {

using fileseam::Op;

// The version of a correction that a record holds whole, by the name it
// was given; 0 for the record as it was, -1 for none.
long versaoDoRegistro(const tAluno& registro, const tAluno& original)
{
    if (bytesOf(registro) == bytesOf(original))
        return 0;
    const QString nome = fromCp1252(Desembaralha(registro.Nome.bytes(), original.Chave.bytes()));
    bool numero = false;
    const long versao = nome.section(u' ', 1).toLong(&numero);
    return numero && bytesOf(registro) == bytesOf(registroCorrigido(original, versao)) ? versao : -1;
}

class Regravacao : public InFastDir {
protected:
    void SetUp() override
    {
        InFastDir::SetUp();
        prepara();
    }

    void prepara()
    {
        turma = {storedStudent(1), storedStudent(2), storedStudent(3)};
        writeFile(kStudents, bytesOf(turma));
        writeFile(kLessons, bytesOf(std::vector{lesson(1, 10), lesson(2, 20), lesson(3, 30)}));
        licoes = readFile(kLessons);
    }

    // The students file is the first one with student 2 as the version
    // given (0: the original), the lessons are as they were and nothing
    // else lies in the folder.
    ::testing::AssertionResult soComAVersao(long versao) const
    {
        std::vector<tAluno> esperada = turma;
        if (versao > 0)
            esperada[1] = registroCorrigido(turma[1], versao);
        if (readFile(kStudents) != bytesOf(esperada))
            return ::testing::AssertionFailure() << "the students file is not version " << versao;
        if (readFile(kLessons) != licoes)
            return ::testing::AssertionFailure() << "the lesson history changed";
        const QStringList arquivos = QDir().entryList(QDir::Files | QDir::Hidden);
        if (arquivos != (QStringList{kStudents, kLessons}))
            return ::testing::AssertionFailure() << "the folder holds " << arquivos.join(u' ').toStdString();
        return ::testing::AssertionSuccess();
    }

    // The version of student 2 the file holds whole, after the next reader
    // undid what a crash left; -1 when it is none.
    long versaoGuardada(long ultima)
    {
        CarregaAlunos();
        for (long versao = 0; versao <= ultima; ++versao) {
            if (soComAVersao(versao))
                return versao;
        }
        return -1;
    }

    std::vector<tAluno> turma;
    QByteArray licoes;
};

// Every call the rewrite makes fails in turn: the change is refused with the
// failure's message and the record stays as it was, at once.
TEST_F(Regravacao, EveryFileCallFailingInTurnLeavesTheOldRecordWhole)
{
    const Op ops[] = {Op::Open, Op::Lock, Op::Size, Op::Seek, Op::Read, Op::Create,
                      Op::Write, Op::Sync, Op::Close, Op::Remove};
    int failures = 0;
    for (Op op : ops) {
        for (int nth = 1; nth <= 6; ++nth) {
            SCOPED_TRACE("op " + std::to_string(int(op)) + " call " + std::to_string(nth));
            prepara();
            fileseam::failOn(op, EIO, nth);
            const QString erro = errorOf([] { RegravaAluno(2, versaoCorrigida(1)); });
            fileseam::clear();
            if (erro == QStringLiteral("(no error)")) {
                EXPECT_TRUE(soComAVersao(1));
            } else {
                ++failures;
                EXPECT_EQ(erro, QStringLiteral("I/O error 5"));
                EXPECT_TRUE(soComAVersao(0));
            }
        }
    }
    // the journal's and the record's writes, syncs and removal all failed once
    EXPECT_GE(failures, 12);
}

// A correction and its line in the log stand or fall together: a log that
// cannot be written puts the old record back and says why; when even that
// fails, the teacher is told that the correction stands without its line.
TEST_F(Regravacao, ACorrectionAndItsLogLineStandOrFallTogether)
{
    const AlunoDoProfessor aluno{.codigo = 2, .nome = QStringLiteral("Bia"), .email = {}, .temSenha = false,
                                 .periodo = 0, .ultimaAula = {}};
    struct Caso {
        const char* como;
        std::vector<std::tuple<Op, int, int>> falhas;  // op, errno, nth call
        QString erro;
        long versao;  // the record afterwards
    };
    // writes: #1 the journal, #2 the record, #3 the log line, #4 and #5 the
    // putting back; syncs #1 to #4 the rewrite, #5 the log, #6 the putting back
    const Caso casos[] = {
        {"the log's disk is full", {{Op::Write, ENOSPC, 3}}, QStringLiteral("Disk full"), 0},
        {"the log cannot be locked", {{Op::Lock, EIO, 2}}, QStringLiteral("I/O error 5"), 0},
        {"the log fails, and so does the putting back", {{Op::Write, ENOSPC, 3}, {Op::Sync, EIO, 6}},
         QStringLiteral("(no error)"), 1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        prepara();
        QFile::remove(kArquivoAlteracoes);
        for (const auto& [op, err, nth] : caso.falhas)
            fileseam::failOn(op, err, nth);
        std::optional<QString> aviso;
        EXPECT_EQ(errorOf([&] { aviso = CorrigeAluno(aluno, versaoCorrigida(1)); }), caso.erro);
        fileseam::clear();
        EXPECT_EQ(aviso.has_value(), caso.versao == 1);
        if (aviso) {
            EXPECT_TRUE(aviso->startsWith(QStringLiteral(
                "A correção de Bia foi gravada, mas não entrou no registro de alterações: Disk full.")))
                << aviso->toStdString();
        }
        EXPECT_TRUE(readFile(kArquivoAlteracoes).isEmpty());
        QFile::remove(kArquivoAlteracoes);
        EXPECT_EQ(versaoGuardada(1), caso.versao);
    }
}

// A whole journal, as a rewrite of record `number` leaves it.
QByteArray journalOf(std::int64_t number, const tAluno& old)
{
    QByteArray journal("QRVANT01");
    const std::int32_t size = sizeof(tAluno);
    journal.append(reinterpret_cast<const char*>(&number), sizeof number);
    journal.append(reinterpret_cast<const char*>(&size), sizeof size);
    journal += bytesOf(old);
    return journal + QCryptographicHash::hash(journal, QCryptographicHash::Sha256);
}

// A journal of a record the file does not hold, as after an older student
// file was put back in the folder: it is no rewrite of this file, and is
// dropped without growing the file.
TEST_F(Regravacao, AJournalOfARecordPastTheEndIsDropped)
{
    for (const std::int64_t number : {std::int64_t(3), std::int64_t(1000), std::int64_t(4'000'000'000'000'000)}) {
        SCOPED_TRACE(number);
        prepara();
        writeFile(rewriteJournal(kStudents), journalOf(number, storedStudent(9)));
        EXPECT_EQ(errorOf([] { CarregaAlunos(); }), QStringLiteral("(no error)"));
        EXPECT_TRUE(soComAVersao(0));
        writeFile(rewriteJournal(kStudents), journalOf(number, storedStudent(9)));
        EXPECT_EQ(errorOf([] { GravaAluno(QStringLiteral("Eva"), {}, {}, 46000, 0); }), QStringLiteral("(no error)"));
        EXPECT_EQ(readFile(kStudents).size(), qsizetype(4 * sizeof(tAluno)));
        EXPECT_FALSE(QFileInfo::exists(rewriteJournal(kStudents)));
    }
}

// Two failures at once: the record's write, then its putting back. The
// journal stays, and the next reader puts the old record back.
TEST_F(Regravacao, AFailedPutBackIsFinishedByTheNextReader)
{
    fileseam::failOn(Op::Sync, EIO, 3);  // the record's sync, after its write
    fileseam::failOn(Op::Write, EIO, 3);  // the putting back of the old record
    EXPECT_EQ(errorOf([] { RegravaAluno(2, versaoCorrigida(1)); }), QStringLiteral("I/O error 5"));
    fileseam::clear();
    EXPECT_TRUE(QFileInfo::exists(rewriteJournal(kStudents)));
    EXPECT_EQ(versaoGuardada(1), 0);
}

// The power goes at each step of the rewrite in turn, a write cut halfway:
// after the next reader, the record is the old one or the new one, whole.
TEST_F(Regravacao, APowerCutAtEachStepLeavesTheOldRecordOrTheNewOne)
{
    struct Corte {
        Op op;
        int nth;
        long versao;  // the version the next reader finds
    };
    const Corte cortes[] = {
        {Op::Create, 1, 0}, {Op::Write, 1, 0}, {Op::Sync, 1, 0}, {Op::Sync, 2, 0},
        {Op::Write, 2, 0},  {Op::Sync, 3, 0},  {Op::Remove, 1, 0}, {Op::Sync, 4, 1},
    };
    for (const Corte& corte : cortes) {
        SCOPED_TRACE("op " + std::to_string(int(corte.op)) + " call " + std::to_string(corte.nth));
        prepara();
        const pid_t filho = fork();
        if (filho == 0) {
            fileseam::cutPowerOn(corte.op, corte.nth);
            errorOf([] { RegravaAluno(2, versaoCorrigida(1)); });
            _exit(0);
        }
        ASSERT_EQ(exitCodeOf(filho), 99);
        EXPECT_EQ(versaoGuardada(1), corte.versao);
    }
}

// A correction of student 2 cut by a crash after its record was written and
// before its journal went. The next program to write meets the journal: it
// puts student 2's old record back and then writes where it means to, never
// over another student.
TEST_F(Regravacao, AWriterMeetingALeftoverJournalWritesWhereItMeans)
{
    struct Caso {
        const char* como;
        int alunos;     // in the file before the crash
        int cortado;    // the student whose correction the crash cut
        std::function<void()> escreve;
        int corrigido;  // the student written in place; 0: a new one at the end
    };
    const Caso casos[] = {
        {"a correction of a student that is not the last", 5, 2, [] { RegravaAluno(4, versaoCorrigida(7)); }, 4},
        {"a correction of the last student", 5, 2, [] { RegravaAluno(5, versaoCorrigida(7)); }, 5},
        {"a registration", 5, 2, [] { GravaAluno(QStringLiteral("Eva Lima"), {}, {}, 46000, 0); }, 0},
        {"a registration after the last one's correction", 3, 3,
         [] { GravaAluno(QStringLiteral("Eva Lima"), {}, {}, 46000, 0); }, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        std::vector<tAluno> alunos;
        for (int codigo = 1; codigo <= caso.alunos; ++codigo)
            alunos.push_back(storedStudent(codigo));
        writeFile(kStudents, bytesOf(alunos));
        const pid_t filho = fork();
        if (filho == 0) {
            fileseam::cutPowerOn(Op::Remove, 1);
            errorOf([&] { RegravaAluno(caso.cortado, versaoCorrigida(1)); });
            _exit(0);
        }
        ASSERT_EQ(exitCodeOf(filho), 99);
        ASSERT_TRUE(QFileInfo::exists(rewriteJournal(kStudents)));

        EXPECT_EQ(errorOf(caso.escreve), QStringLiteral("(no error)"));
        std::vector<tAluno> esperados = alunos;
        if (caso.corrigido > 0)
            esperados[size_t(caso.corrigido - 1)] = registroCorrigido(alunos[size_t(caso.corrigido - 1)], 7);
        const QByteArray arquivo = readFile(kStudents);
        EXPECT_EQ(arquivo.left(qsizetype(caso.alunos * sizeof(tAluno))), bytesOf(esperados));
        if (caso.corrigido == 0) {
            ASSERT_EQ(arquivo.size(), qsizetype((caso.alunos + 1) * sizeof(tAluno)));
            tAluno novo;
            std::memcpy(static_cast<void*>(&novo), arquivo.constData() + caso.alunos * sizeof(tAluno), sizeof novo);
            EXPECT_EQ(novo.Codigo, caso.alunos + 1);
        }
        EXPECT_FALSE(QFileInfo::exists(rewriteJournal(kStudents)));
        QFile::remove(kStudents);
        QFile::remove(kLessons);
    }
}

// The writer program corrects a student over and over and is killed at a
// random moment, ten times: the record is always one version whole.
TEST_F(Regravacao, AWriterKilledAtRandomMomentsLeavesOneVersionWhole)
{
    const unsigned seed = std::random_device{}();
    RecordProperty("seed", int(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const QByteArray antes = readFile(kStudents);
    for (int round = 1; round <= 10; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t writer = startWriterProgram(folder(), "corrige:2", 0);
        ASSERT_GT(writer, 0);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (readFile(kStudents) == antes && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
        ::kill(writer, SIGKILL);
        EXPECT_EQ(exitCodeOf(writer), 128 + SIGKILL);
        EXPECT_GE(versaoGuardada(100'000), 0);
        prepara();
    }
}

// A teacher's corrections killed at random moments while another machine
// appends lessons, and after each kill a registration and a correction of
// another student, in either order, with nobody only reading between: the
// writers meet what the killed correction left. Every record stays whole and
// no number is given twice.
TEST_F(Regravacao, CorrectionsKilledAmongOtherWritersLeaveEveryRecordWholeAndEveryNumberOnce)
{
    const unsigned seed = std::random_device{}();
    RecordProperty("seed", int(seed));
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    turma = {storedStudent(1), storedStudent(2), storedStudent(3), storedStudent(4), storedStudent(5)};
    writeFile(kStudents, bytesOf(turma));
    const pid_t lessons = startWriterProgram(folder(), "1", 0);
    ASSERT_GT(lessons, 0);
    const auto corrects = [&] { return "corrige:" + std::to_string(2 + random() % 4); };
    const auto runs = [&](const std::string& what, long count) {
        EXPECT_EQ(exitCodeOf(startWriterProgram(folder(), what, count)), 0) << what;
    };
    for (int round = 1; round <= 30; ++round) {
        const QByteArray before = readFile(kStudents).left(5 * sizeof(tAluno));
        const pid_t teacher = startWriterProgram(folder(), corrects(), 0);
        ASSERT_GT(teacher, 0);
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (readFile(kStudents).left(5 * sizeof(tAluno)) == before && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
        ::kill(teacher, SIGKILL);
        exitCodeOf(teacher);
        if (random() % 2)
            runs("alunos", 1);
        runs(corrects(), 1);
        runs("alunos", 1);
    }
    ::kill(lessons, SIGKILL);
    exitCodeOf(lessons);

    const QByteArray file = readFile(kStudents);
    ASSERT_GE(file.size(), qsizetype(35 * sizeof(tAluno)));
    ASSERT_EQ(file.size() % sizeof(tAluno), 0u);
    std::set<std::int32_t> numbers;
    for (qsizetype at = 0; at < file.size(); at += sizeof(tAluno)) {
        tAluno aluno;
        std::memcpy(static_cast<void*>(&aluno), file.constData() + at, sizeof aluno);
        numbers.insert(aluno.Codigo);
        const size_t place = size_t(at / qsizetype(sizeof(tAluno)));
        if (place < turma.size()) {
            EXPECT_GE(versaoDoRegistro(aluno, turma[place]), 0) << "student " << place + 1;
        }
    }
    EXPECT_EQ(numbers.size(), size_t(file.size() / qsizetype(sizeof(tAluno))));
    EXPECT_EQ(*numbers.rbegin(), std::int32_t(numbers.size()));
}

// A teacher corrects a student while another machine registers forty: every
// registration is there, under its own number, and the student corrected is
// the last version whole.
TEST_F(Regravacao, ASecondMachineRegisteringMeanwhileLosesNothing)
{
    const pid_t teacher = startWriterProgram(folder(), "corrige:2", 300);
    const pid_t registrar = startWriterProgram(folder(), "alunos", 40);
    ASSERT_GT(teacher, 0);
    ASSERT_GT(registrar, 0);
    EXPECT_EQ(exitCodeOf(teacher), 0);
    EXPECT_EQ(exitCodeOf(registrar), 0);

    const QByteArray file = readFile(kStudents);
    ASSERT_EQ(file.size(), qsizetype(43 * sizeof(tAluno)));
    EXPECT_EQ(file.left(sizeof(tAluno)), bytesOf(turma[0]));
    EXPECT_EQ(file.mid(sizeof(tAluno), sizeof(tAluno)), bytesOf(registroCorrigido(turma[1], 300)));
    EXPECT_EQ(file.mid(2 * sizeof(tAluno), sizeof(tAluno)), bytesOf(turma[2]));
    std::vector<std::int32_t> numbers;
    for (qsizetype at = 3 * qsizetype(sizeof(tAluno)); at < file.size(); at += sizeof(tAluno)) {
        tAluno aluno;
        std::memcpy(static_cast<void*>(&aluno), file.constData() + at, sizeof aluno);
        numbers.push_back(aluno.Codigo);
    }
    std::sort(numbers.begin(), numbers.end());
    for (std::int32_t n = 4; n <= 43; ++n)
        EXPECT_EQ(numbers[size_t(n - 4)], n);
    EXPECT_FALSE(QFileInfo::exists(rewriteJournal(kStudents)));
}

}  // namespace
