// A course folder shared by a school: several users of one group work in it,
// and whoever can write to it may have planted links or other things in the
// places of its files.

#include "hardening.h"

#include "correcoes.h"
#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "students/desempenho.h"
#include "students/senhaprofessor.h"
#include "support/fixture.h"

#include <QFile>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Compartilhada : public InTempDir {};

// Runs in a child process as another user of the group, with the umask that
// keeps what it creates shared, as a lab's accounts are set up.
std::function<bool()> asUser(uid_t uid, gid_t gid)
{
    return [uid, gid] {
        ::umask(002);
        return setgroups(0, nullptr) == 0 && setgid(gid) == 0 && setuid(uid) == 0;
    };
}

constexpr gid_t kTurma = 40000;
constexpr uid_t kProfessora = 40001;
constexpr uid_t kAluno = 40002;
constexpr uid_t kDeFora = 40003;  // reads the folder, in no group of it

// Works in a folder "turma" of the group kTurma with the bits given, as a
// school sets it up, the catalogue laid in it.
void entraNaPastaDaTurma(mode_t bits)
{
    QDir().mkdir(QStringLiteral("turma"));
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral("turma")));
    ASSERT_EQ(::chown(".", 0, kTurma), 0);
    ASSERT_EQ(::chmod(".", bits), 0);
    ::chmod("..", 0755);
    writeFile(kCatalogue, bytesOf(std::vector{storedExercise(1), storedExercise(2)}));
}

TEST_F(Compartilhada, TwoUsersOfOneGroupRegisterAndPractiseInOneFolder)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as three users";
    // the folder as a school sets it up: group-owned, group-writable, setgid
    ASSERT_NO_FATAL_FAILURE(entraNaPastaDaTurma(02775));
    // the catalogue as the first user's start laid it: readable, not writable, by the others
    ASSERT_EQ(::chown(QFile::encodeName(kCatalogue).constData(), kProfessora, kTurma), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(kCatalogue).constData(), 0644), 0);

    const auto registra = [](const char* nome) {
        return [nome] {
            CarregaExercicios();
            MaiorCodigo();
            if (!GravaAluno(QString::fromUtf8(nome), {}, {}, 36000, 0))
                throw AppError(QStringLiteral("course full"));
            LeHistoricoAulas();
            AulaAtual.NumExerc = 1;
            GravaAula();
        };
    };
    EXPECT_EQ(errorInChild(asUser(kProfessora, kTurma), registra("Ana")), QStringLiteral("(no error)"));
    EXPECT_EQ(errorInChild(asUser(kAluno, kTurma), registra("Bia")), QStringLiteral("(no error)"));
    // the class report only reads
    EXPECT_EQ(errorInChild(asUser(kDeFora, kDeFora),
                           [] {
                               if (DesempenhoDaTurma().size() != 2)
                                   throw AppError(QStringLiteral("not the two students"));
                           }),
              QStringLiteral("(no error)"));

    EXPECT_EQ(QFile(kStudents).size(), 800);
    EXPECT_EQ(QFile(kLessons).size(), 4 * 24);
}

// The shared folder as the README sets it up: group-owned, group-writable,
// with the setgid and sticky bits, every account with umask 002. The teacher
// sets a password, registers a student and leaves a correction cut by a
// crash; a student's account then registers, practises and meets what the
// crash left, but can neither remove, replace nor rewrite the teacher's
// password or log.
TEST_F(Compartilhada, AStudentsAccountWorksInTheTeachersFolderButCannotTouchTheTeachersFiles)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    ASSERT_NO_FATAL_FAILURE(entraNaPastaDaTurma(03775));

    EXPECT_EQ(errorInChild(asUser(kProfessora, kTurma),
                           [] {
                               if (!CriaSenhaProfessor(QStringLiteral("segredo1"))
                                   || !GravaAluno(QStringLiteral("Ana"), {}, {}, 36000, 0))
                                   throw AppError(QStringLiteral("not saved"));
                               RegistraAlteracoes(1, {QStringLiteral("matriculada")});
                           }),
              QStringLiteral("(no error)"));
    const QByteArray ana = readFile(kStudents);
    // the teacher's correction of Ana, cut after its record was written
    errorInChild(asUser(kProfessora, kTurma), [] {
        fileseam::cutPowerOn(fileseam::Op::Remove, 1);
        RegravaAluno(1, versaoCorrigida(1));
    });
    ASSERT_TRUE(QFileInfo::exists(rewriteJournal(kStudents)));
    const QByteArray senha = readFile(kArquivoSenhaProfessor);
    const QByteArray registro = readFile(kArquivoAlteracoes);

    const auto recusado = [](const char* como, bool feito) {
        if (feito)
            throw AppError(QStringLiteral("a student could %1").arg(QLatin1String(como)));
    };
    EXPECT_EQ(errorInChild(asUser(kAluno, kTurma),
                           [&] {
                               if (!GravaAluno(QStringLiteral("Bia"), {}, {}, 36000, 0))
                                   throw AppError(QStringLiteral("course full"));
                               LeHistoricoAulas();
                               AulaAtual.NumExerc = 1;
                               GravaAula();
                               writeFile(QStringLiteral("falsa"), "x");
                               for (const QString& arquivo : {kArquivoSenhaProfessor, kArquivoAlteracoes}) {
                                   const QByteArray nome = QFile::encodeName(arquivo);
                                   recusado("remove", ::unlink(nome.constData()) == 0);
                                   recusado("replace", ::rename("falsa", nome.constData()) == 0);
                                   const int fd = ::open(nome.constData(), O_WRONLY | O_APPEND);
                                   recusado("rewrite", fd >= 0);
                               }
                               recusado("set a password", CriaSenhaProfessor(QStringLiteral("minha123")));
                           }),
              QStringLiteral("(no error)"));

    EXPECT_EQ(readFile(kArquivoSenhaProfessor), senha);
    EXPECT_EQ(readFile(kArquivoAlteracoes), registro);
    // Ana as she was before the cut correction, then Bia
    EXPECT_EQ(readFile(kStudents).left(ana.size()), ana);
    EXPECT_EQ(readFile(kStudents).size(), 800);
    EXPECT_EQ(readFile(kLessons).size(), 3 * 24);
    EXPECT_TRUE(readFile(rewriteJournal(kStudents)).isEmpty());
    for (const QString& arquivo : {kArquivoSenhaProfessor, kArquivoAlteracoes})
        EXPECT_EQ(QFileInfo(arquivo).permissions() & (QFile::WriteGroup | QFile::WriteOther), 0)
            << arquivo.toStdString();
    // the class's own files stay writable by the group
    EXPECT_TRUE(QFileInfo(kStudents).permissions() & QFile::WriteGroup);
}

// An account that may only read the folder, with a correction's journal left
// there, reads the class as it stands instead of failing.
TEST_F(Compartilhada, AnAccountThatOnlyReadsReadsTheClassDespiteALeftoverJournal)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    ::chmod(".", 0755);
    writeFile(kStudents, bytesOf(std::vector{storedStudent(1), storedStudent(2)}));
    writeFile(kLessons, {});
    errorInChild([] { return true; }, [] {
        fileseam::cutPowerOn(fileseam::Op::Remove, 1);
        RegravaAluno(2, versaoCorrigida(1));
    });
    ASSERT_TRUE(QFileInfo::exists(rewriteJournal(kStudents)));
    EXPECT_EQ(errorInChild(asUser(kDeFora, kDeFora),
                           [] {
                               if (DesempenhoDaTurma().size() != 2)
                                   throw AppError(QStringLiteral("not the two students"));
                           }),
              QStringLiteral("(no error)"));
    EXPECT_TRUE(QFileInfo::exists(rewriteJournal(kStudents)));
}

// Something planted in the place of a data file is refused by name and left
// as it is, and so is what a link points to.
TEST_F(Compartilhada, ALinkOrAFolderInTheDataFilesPlaceIsRefusedByName)
{
    writeFile(QStringLiteral("alvo"), QByteArray("do professor"));
    struct Caso {
        const char* como;
        std::function<void()> planta;
        std::function<void()> usa;
        const char* arquivo;
        const char* mensagem;
    };
    const auto link = [](const QString& nome, const char* alvo) {
        return [nome, alvo] { QFile::link(QString::fromLatin1(alvo), nome); };
    };
    const Caso casos[] = {
        {"lesson file linked outside", link(kLessons, "alvo"), [] { GravaAula(); }, "ZORPAulas20.dat",
         "é um link simbólico"},
        {"student file linked, the lesson file missing", link(kStudents, "alvo"),
         [] { GravaAluno(QStringLiteral("Ana"), {}, {}, 36000, 0); }, "ZORPAlunos20.dat", "é um link simbólico"},
        {"student file a dangling link", link(kStudents, "novo"),
         [] { GravaAluno(QStringLiteral("Ana"), {}, {}, 36000, 0); }, "ZORPAlunos20.dat", "é um link simbólico"},
        {"catalogue linked", link(kCatalogue, "alvo"), [] { CarregaExercicios(); }, "ZORPExercicio20.dat",
         "é um link simbólico"},
        {"student file a folder", [] { QDir().mkdir(kStudents); }, [] { CarregaAlunos(); }, "ZORPAlunos20.dat",
         "não é um arquivo de dados"},
        {"lesson file a pipe", [] { ::mkfifo(QFile::encodeName(kLessons).constData(), 0666); },
         [] { LeHistoricoAulas(); }, "ZORPAulas20.dat", "não é um arquivo de dados"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        for (const QString& nome : {kStudents, kLessons, kCatalogue}) {
            QFile::remove(nome);
            QDir().rmdir(nome);
        }
        caso.planta();
        const QString erro = errorOf(caso.usa);
        EXPECT_TRUE(erro.contains(QString::fromLatin1(caso.arquivo))) << erro.toStdString();
        EXPECT_TRUE(erro.contains(QString::fromUtf8(caso.mensagem))) << erro.toStdString();
        EXPECT_EQ(readFile(QStringLiteral("alvo")), QByteArray("do professor"));
        EXPECT_FALSE(QFile::exists(QStringLiteral("novo")));
    }
}

}  // namespace
