// The start-up before any window: the command line and the course folder.

#include "app/inicio.h"
#include "data/records.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

TEST(LinhaDeComandoTest, HelpVersionAndMistakesEndAtOnceWithTheirStatus)
{
    struct Caso {
        QStringList argumentos;
        std::optional<int> saida;
        const char* comeco;  // how the message begins
    };
    const Caso casos[] = {
        {{"quiravo"}, std::nullopt, ""},
        {{"quiravo", "--help"}, 0, "Uso: quiravo [op\xC3\xA7\xC3\xB5" "es]"},
        {{"quiravo", "-h"}, 0, "Uso: quiravo"},
        {{"quiravo", "--version"}, 0, "Quiravo 2.1\n"},
        {{"quiravo", "--bogus"}, 2, "quiravo: op\xC3\xA7\xC3\xA3o desconhecida: --bogus\n\nUso: quiravo"},
        {{"quiravo", "-x"}, 2, "quiravo: op\xC3\xA7\xC3\xA3o desconhecida: -x\n"},
        {{"quiravo", "--curso"}, 2, "quiravo: falta a pasta depois de --curso\n"},
        {{"quiravo", "sobra"}, 2, "quiravo: argumento inesperado: sobra\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.argumentos.join(u' ').toStdString());
        const LinhaDeComando linha = leLinhaDeComando(caso.argumentos);
        EXPECT_EQ(linha.saida, caso.saida);
        const QString comeco = QString::fromUtf8(caso.comeco);
        EXPECT_EQ(linha.mensagem.left(comeco.size()), comeco);
        EXPECT_FALSE(linha.curso);
    }
    EXPECT_EQ(leLinhaDeComando({"quiravo", "--curso", "/srv/escola"}).curso, QStringLiteral("/srv/escola"));
    EXPECT_EQ(leLinhaDeComando({"quiravo", "--curso=/srv/escola"}).curso, QStringLiteral("/srv/escola"));
}

class PastaDoCurso : public InTempDir {
protected:
    // A folder as the installation lays it: the catalogue and two notes.
    QString origem()
    {
        QDir().mkpath(QStringLiteral("instalado/notas"));
        writeFile(QStringLiteral("instalado/") + kArquivoExercicios, "catalogo novo");
        writeFile(QStringLiteral("instalado/notas/do5.wav"), "do");
        writeFile(QStringLiteral("instalado/notas/re5.wav"), "re");
        return QDir(QStringLiteral("instalado")).absolutePath();
    }
};

TEST_F(PastaDoCurso, TheOptionFirstThenACurrentFolderWithTheCourseThenTheUsersOwn)
{
    EXPECT_EQ(escolhePastaDoCurso(QStringLiteral("escola")), QDir::current().absoluteFilePath(QStringLiteral("escola")));
    EXPECT_EQ(escolhePastaDoCurso(std::nullopt), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    writeFile(kArquivoExercicios, "catalogo");
    EXPECT_EQ(escolhePastaDoCurso(std::nullopt), QDir::currentPath());
}

TEST_F(PastaDoCurso, AMissingFolderIsCreatedAndLaidWithTheCourse)
{
    const QString instalado = origem();
    EXPECT_EQ(preparaPastaDoCurso(QStringLiteral("nova/curso"), instalado), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("nova/curso/") + kArquivoExercicios), QByteArray("catalogo novo"));
    EXPECT_EQ(readFile(QStringLiteral("nova/curso/notas/re5.wav")), QByteArray("re"));
    EXPECT_EQ(QDir(QStringLiteral("nova/curso")).entryList(QDir::Files | QDir::Hidden), QStringList{kArquivoExercicios});
}

TEST_F(PastaDoCurso, NothingThereIsReplacedAndOnlyWhatIsMissingIsLaid)
{
    const QString instalado = origem();
    QDir().mkpath(QStringLiteral("turma/notas"));
    writeFile(QStringLiteral("turma/") + kArquivoExercicios, "catalogo da escola");
    writeFile(QStringLiteral("turma/") + kArquivoAlunos, "alunos");
    writeFile(QStringLiteral("turma/notas/do5.wav"), "do gravado");
    EXPECT_EQ(preparaPastaDoCurso(QStringLiteral("turma"), instalado), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("turma/") + kArquivoExercicios), QByteArray("catalogo da escola"));
    EXPECT_EQ(readFile(QStringLiteral("turma/") + kArquivoAlunos), QByteArray("alunos"));
    EXPECT_EQ(readFile(QStringLiteral("turma/notas/do5.wav")), QByteArray("do gravado"));
    EXPECT_EQ(readFile(QStringLiteral("turma/notas/re5.wav")), QByteArray("re"));
}

TEST_F(PastaDoCurso, AFolderThatCannotBeMadeIsNamedWithTheReason)
{
    writeFile(QStringLiteral("arquivo"), "não é pasta");
    const QString pasta = QDir::current().absoluteFilePath(QStringLiteral("arquivo/curso"));
    const std::optional<QString> erro = preparaPastaDoCurso(pasta, origem());
    ASSERT_TRUE(erro);
    EXPECT_EQ(*erro, QStringLiteral("Não foi possível criar a pasta do curso %1: Not a directory.").arg(pasta));
}

// A copy that fails halfway leaves none of the files laid before it.
TEST_F(PastaDoCurso, ALayingThatFailsLeavesNoNewFile)
{
    const QString instalado = origem();
    QDir().mkpath(QStringLiteral("turma/notas/re5.wav.novo"));
    const QString pasta = QDir::current().absoluteFilePath(QStringLiteral("turma"));
    const std::optional<QString> erro = preparaPastaDoCurso(pasta, instalado);
    ASSERT_TRUE(erro);
    EXPECT_TRUE(erro->startsWith(QStringLiteral("Não foi possível gravar na pasta do curso %1: ").arg(pasta)))
        << erro->toStdString();
    EXPECT_EQ(QDir(pasta).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(QDir(pasta + QStringLiteral("/notas")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
