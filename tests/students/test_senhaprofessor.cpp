// The teacher's password: set the first time, kept only as an Argon2id hash
// in its own file, changed whole or not at all, checked; a wrong one closes
// the gate for a wait that grows, measured on the program's clock, and
// nothing sleeps. Setting and changing it are logged, never the password.

#include "students/senhaprofessor.h"

#include "data/alteracoes.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "platform/system.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cerrno>

namespace {

class SenhaProfessor : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
        PortaSenhaProfessor = {};
    }

    // The gate's wait from now, in ms, after a check.
    static qint64 espera(const ConferenciaDaSenha& resposta) { return resposta.fechadaAte - monotonicMs(); }
};

TEST_F(SenhaProfessor, TheFirstPasswordIsKeptAsASaltedHashInAFileOfItsOwn)
{
    EXPECT_FALSE(ProfessorTemSenha());
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("Diário7")));
    EXPECT_TRUE(ProfessorTemSenha());
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{kArquivoAlteracoes, kArquivoSenhaProfessor}));
    EXPECT_EQ(UltimasAlteracoes(5), QStringList{QStringLiteral("10/12/2026 10:00:00 - senha do professor criada")});
    EXPECT_FALSE(readFile(kArquivoAlteracoes).contains(QStringLiteral("Diário7").toUtf8()));

    const QByteArray guardado = readFile(kArquivoSenhaProfessor);
    EXPECT_TRUE(guardado.startsWith("$argon2id$")) << guardado.toStdString();
    EXPECT_FALSE(guardado.contains(QStringLiteral("Diário7").toUtf8()));
    EXPECT_FALSE(guardado.contains(QStringLiteral("Diário7").toLatin1()));

    // the same password again gives another hash: the salt is random
    QDir().remove(kArquivoSenhaProfessor);
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("Diário7")));
    EXPECT_NE(readFile(kArquivoSenhaProfessor), guardado);
}

TEST_F(SenhaProfessor, APasswordAlreadyThereIsNeverReplaced)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("primeira")));
    const QByteArray guardado = readFile(kArquivoSenhaProfessor);
    EXPECT_FALSE(CriaSenhaProfessor(QStringLiteral("segunda")));
    EXPECT_EQ(readFile(kArquivoSenhaProfessor), guardado);
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{kArquivoAlteracoes, kArquivoSenhaProfessor}));
    // only the password stored is logged
    EXPECT_EQ(UltimasAlteracoes(5).size(), 1);
}

TEST_F(SenhaProfessor, AFailedSaveLeavesNoFileBehind)
{
    for (const fileseam::Op op : {fileseam::Op::Write, fileseam::Op::Sync, fileseam::Op::Rename}) {
        fileseam::failOn(op, EIO);
        EXPECT_EQ(errorOf([] { CriaSenhaProfessor(QStringLiteral("segredo")); }), QStringLiteral("I/O error 5"));
        fileseam::clear();
        EXPECT_TRUE(QDir().entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

TEST_F(SenhaProfessor, OnlyTheRightPasswordOpensAndAWrongOneClosesTheGateLongerEachTime)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segredo")).certa);

    std::vector<qint64> esperas;
    for (const char* errada : {"Segredo", "segred", "segredo ", "", "outra", "mais uma", "e outra"}) {
        const ConferenciaDaSenha resposta = ConfereSenhaProfessor(QString::fromUtf8(errada));
        EXPECT_FALSE(resposta.certa) << errada;
        esperas.push_back(espera(resposta));
        clockseam::advance(esperas.back());
    }
    EXPECT_EQ(esperas, (std::vector<qint64>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
    // the wait is the gate's: nothing sleeps
    EXPECT_TRUE(systemseam::sleeps().empty());

    // the right one starts the count again
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segredo")).certa);
    EXPECT_EQ(espera(ConfereSenhaProfessor(QStringLiteral("errada"))), 1000);
}

TEST_F(SenhaProfessor, WhileTheGateIsClosedNoPasswordIsChecked)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    const qint64 fechadaAte = ConfereSenhaProfessor(QStringLiteral("errada")).fechadaAte;
    clockseam::advance(999);
    // not even read: a file damaged meanwhile goes unnoticed until the gate opens
    const QByteArray guardado = readFile(kArquivoSenhaProfessor);
    writeFile(kArquivoSenhaProfessor, "segredo\n");
    ConferenciaDaSenha resposta;
    EXPECT_EQ(errorOf([&] { resposta = ConfereSenhaProfessor(QStringLiteral("segredo")); }), QStringLiteral("(no error)"));
    EXPECT_FALSE(resposta.certa);
    EXPECT_EQ(resposta.fechadaAte, fechadaAte);
    EXPECT_EQ(PortaSenhaProfessor.erros, 1);

    writeFile(kArquivoSenhaProfessor, guardado);
    clockseam::advance(1);
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segredo")).certa);
}

// A hash planted with a huge memory cost held the program for seconds and
// gigabytes at every check: only the program's own costs are ever verified.
TEST_F(SenhaProfessor, AHashMadeWithOtherCostsIsRefusedAsDamagedBeforeAnyCheck)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    const QByteArray proprio = readFile(kArquivoSenhaProfessor);
    ASSERT_TRUE(proprio.contains("$m=65536,t=2,p=1$")) << proprio.toStdString();
    const auto trocado = [&](const char* de, const char* para) { return QByteArray(proprio).replace(de, para); };
    const struct {
        const char* caso;
        QByteArray conteudo;
        bool aceito;
    } casos[] = {
        {"the program's own", proprio, true},
        {"more memory", trocado("m=65536", "m=131072"), false},
        {"less memory", trocado("m=65536", "m=32768"), false},
        {"more time", trocado("t=2", "t=3"), false},
        {"argon2i", trocado("$argon2id$", "$argon2i$"), false},
        {"no parallelism", trocado(",p=1$", "$"), false},
        {"no salt", proprio.left(proprio.lastIndexOf('$')) + '\n', false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        writeFile(kArquivoSenhaProfessor, c.conteudo);
        PortaSenhaProfessor = {};
        ConferenciaDaSenha resposta;
        const QString erro = errorOf([&] { resposta = ConfereSenhaProfessor(QStringLiteral("segredo")); });
        if (c.aceito) {
            EXPECT_EQ(erro, QStringLiteral("(no error)"));
            EXPECT_TRUE(resposta.certa);
        } else {
            EXPECT_TRUE(erro.startsWith(QStringLiteral("O arquivo "))) << erro.toStdString();
            EXPECT_TRUE(erro.contains(kArquivoSenhaProfessor)) << erro.toStdString();
            // refused, not counted as a wrong password
            EXPECT_EQ(PortaSenhaProfessor.erros, 0);
        }
    }
}

TEST_F(SenhaProfessor, AChangedPasswordReplacesTheOldOneWholeAndKeepsTheFilesPermissions)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("primeira")));
    const QFileDevice::Permissions permissoes = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(kArquivoSenhaProfessor, permissoes));
    clockseam::advance(60'000);
    TrocaSenhaProfessor(QStringLiteral("segunda"));

    EXPECT_FALSE(ConfereSenhaProfessor(QStringLiteral("primeira")).certa);
    clockseam::advance(1000);
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segunda")).certa);
    EXPECT_EQ(QFile::permissions(kArquivoSenhaProfessor) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              permissoes);
    // nothing left beside it, and neither password in the log
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{kArquivoAlteracoes, kArquivoSenhaProfessor}));
    EXPECT_EQ(UltimasAlteracoes(5), (QStringList{QStringLiteral("10/12/2026 10:01:00 - senha do professor trocada"),
                                                 QStringLiteral("10/12/2026 10:00:00 - senha do professor criada")}));
    for (const char* senha : {"primeira", "segunda"})
        EXPECT_FALSE(readFile(kArquivoAlteracoes).contains(senha)) << senha;
}

// A course folder may be a whole school's: the file is never reached through
// a link, which would have the hash written wherever the link points.
TEST_F(SenhaProfessor, APasswordFileThatIsALinkIsNotChanged)
{
    writeFile(QStringLiteral("outro.txt"), "de outro\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("outro.txt"), kArquivoSenhaProfessor));
    const QString erro = errorOf([] { TrocaSenhaProfessor(QStringLiteral("segunda")); });
    EXPECT_TRUE(erro.contains(kArquivoSenhaProfessor)) << erro.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("outro.txt")), QByteArray("de outro\n"));
    EXPECT_TRUE(QFileInfo(kArquivoSenhaProfessor).isSymLink());
    EXPECT_FALSE(QFile::exists(kArquivoAlteracoes));
}

// The gate as its screen shows it: the seconds left, a wait that a new gate
// does not skip, and the timer that tells when the seconds go down.
TEST_F(SenhaProfessor, TheGateShowsTheSecondsLeftAndANewGateKeepsTheWait)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    PortaoDaSenha portao;
    EXPECT_TRUE(portao.aberto());
    EXPECT_TRUE(portao.aviso().isEmpty());

    EXPECT_FALSE(portao.confere(QStringLiteral("errada")));
    EXPECT_FALSE(portao.aberto());
    EXPECT_EQ(portao.aviso(), QStringLiteral("A senha do professor não está correta. Aguarde 1 s para tentar de novo."));
    clockseam::advance(1000);
    EXPECT_FALSE(portao.confere(QStringLiteral("outra")));
    clockseam::advance(1);
    EXPECT_EQ(portao.segundosDeEspera(), 2);  // 1999 ms left
    clockseam::advance(999);

    const PortaoDaSenha outro;
    EXPECT_EQ(outro.segundosDeEspera(), 1);
    clockseam::advance(1000);
    EXPECT_TRUE(outro.aberto());
    EXPECT_TRUE(portao.confere(QStringLiteral("segredo")));
}

TEST_F(SenhaProfessor, TheGatesTimerTellsWhenTheSecondsShownGoDown)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    PortaoDaSenha portao;
    QStringList avisos;
    QObject::connect(&portao, &PortaoDaSenha::mudou, [&] { avisos << portao.aviso(); });
    portao.confere(QStringLiteral("errada"));
    clockseam::advance(1000);
    portao.confere(QStringLiteral("errada"));
    // the clock moves by 1 s: the next tick, a second of real time away at most, shows it
    clockseam::advance(1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return avisos.size() == 3; }, 3000)) << avisos.join(u'|').toStdString();
    clockseam::advance(1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return avisos.size() == 4; }, 3000)) << avisos.join(u'|').toStdString();
    EXPECT_EQ(avisos, (QStringList{QStringLiteral("A senha do professor não está correta. Aguarde 1 s para tentar de novo."),
                                   QStringLiteral("A senha do professor não está correta. Aguarde 2 s para tentar de novo."),
                                   QStringLiteral("A senha do professor não está correta. Aguarde 1 s para tentar de novo."),
                                   QString()}));
}

TEST_F(SenhaProfessor, AFileThatHoldsNoHashIsToldByName)
{
    for (const QByteArray& conteudo : {QByteArray("segredo\n"), QByteArray(), QByteArray(300, '$')}) {
        writeFile(kArquivoSenhaProfessor, conteudo);
        const QString erro = errorOf([] { ConfereSenhaProfessor(QStringLiteral("segredo")); });
        EXPECT_TRUE(erro.startsWith(QStringLiteral("O arquivo "))) << erro.toStdString();
        EXPECT_TRUE(erro.contains(kArquivoSenhaProfessor)) << erro.toStdString();
    }
}

TEST(SenhaProfessorNova, HasAtLeastSixCharacters)
{
    EXPECT_TRUE(ProblemaDaSenhaProfessor(QStringLiteral("abcde")));
    EXPECT_TRUE(ProblemaDaSenhaProfessor(QString()));
    EXPECT_FALSE(ProblemaDaSenhaProfessor(QStringLiteral("abcdef")));
    EXPECT_FALSE(ProblemaDaSenhaProfessor(QStringLiteral("ção ção")));
}

}  // namespace
