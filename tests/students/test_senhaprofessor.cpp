// The teacher's password: set the first time, kept only as an Argon2id hash
// in its own file, checked, and a wrong one answered after a wait that grows.

#include "students/senhaprofessor.h"

#include "platform/recordfile.h"
#include "platform/system.h"
#include "support/fixture.h"

#include <QDir>
#include <cerrno>

namespace {

class SenhaProfessor : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        ErrosSenhaProfessor = 0;
    }
};

TEST_F(SenhaProfessor, TheFirstPasswordIsKeptAsASaltedHashInAFileOfItsOwn)
{
    EXPECT_FALSE(ProfessorTemSenha());
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("Diário7")));
    EXPECT_TRUE(ProfessorTemSenha());
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{kArquivoSenhaProfessor});

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
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{kArquivoSenhaProfessor});
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

TEST_F(SenhaProfessor, OnlyTheRightPasswordOpensAndAWrongOneWaitsLongerEachTime)
{
    ASSERT_TRUE(CriaSenhaProfessor(QStringLiteral("segredo")));
    systemseam::clear();
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segredo")));
    EXPECT_TRUE(systemseam::sleeps().empty());

    for (const char* errada : {"Segredo", "segred", "segredo ", "", "outra", "mais uma", "e outra"})
        EXPECT_FALSE(ConfereSenhaProfessor(QString::fromUtf8(errada))) << errada;
    EXPECT_EQ(systemseam::sleeps(), (std::vector<int>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));

    // the right one starts the count again
    EXPECT_TRUE(ConfereSenhaProfessor(QStringLiteral("segredo")));
    systemseam::clear();
    EXPECT_FALSE(ConfereSenhaProfessor(QStringLiteral("errada")));
    EXPECT_EQ(systemseam::sleeps(), std::vector<int>{1000});
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
