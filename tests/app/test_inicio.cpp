// The start-up before any window: the command line and the course folder.

#include "app/inicio.h"
#include "data/records.h"
#include "disco_cheio.h"
#include "support/fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

TEST_F(PastaDoCurso, AFolderLaidBeforeThePracticesPhrasesCameGetsThemBesideItsOwnWords)
{
    const QString instalado = origem();
    writeFile(QStringLiteral("instalado/palavras.txt"), "casa\n");
    writeFile(QStringLiteral("instalado/frases.txt"), "A casa \xC3\xA9 bela.\n");
    QDir().mkpath(QStringLiteral("turma/notas"));
    writeFile(QStringLiteral("turma/") + kArquivoExercicios, "catalogo da escola");
    writeFile(QStringLiteral("turma/palavras.txt"), "sala\n");
    EXPECT_EQ(preparaPastaDoCurso(QStringLiteral("turma"), instalado), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("turma/frases.txt")), QByteArray("A casa \xC3\xA9 bela.\n"));
    EXPECT_EQ(readFile(QStringLiteral("turma/palavras.txt")), QByteArray("sala\n"));
}

// Something other than a folder where the folder should be is told as such,
// in the program's words.
TEST_F(PastaDoCurso, AFolderThatCannotBeMadeIsNamedWithTheReason)
{
    const QString instalado = origem();
    writeFile(QStringLiteral("arquivo"), "não é pasta");
    const QString arquivo = QDir::current().absoluteFilePath(QStringLiteral("arquivo"));
    struct Caso {
        QString pasta;
        QString mensagem;
    };
    const Caso casos[] = {
        {arquivo, QStringLiteral("Não foi possível usar o curso: %1 não é uma pasta.").arg(arquivo)},
        {arquivo + QStringLiteral("/curso"),
         QStringLiteral("Não foi possível criar a pasta do curso %1/curso: parte do caminho não é uma pasta.")
             .arg(arquivo)},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.pasta.toStdString());
        EXPECT_EQ(preparaPastaDoCurso(caso.pasta, instalado), caso.mensagem);
    }
    EXPECT_EQ(readFile(arquivo), QByteArray("não é pasta"));
}

// The exit statuses of n child processes that run acao all at the same
// moment; a child's status is 0 when acao returns true.
std::vector<int> aoMesmoTempo(int n, const std::function<bool()>& acao)
{
    int largada[2];
    if (::pipe(largada) != 0)
        return {};
    std::vector<pid_t> filhos;
    for (int i = 0; i < n; ++i) {
        const pid_t filho = ::fork();
        if (filho == 0) {
            ::close(largada[1]);
            char nada;
            // returns when the parent closes its end: the start for all of them
            while (::read(largada[0], &nada, 1) > 0) {
            }
            ::_exit(acao() ? 0 : 1);
        }
        filhos.push_back(filho);
    }
    ::close(largada[0]);
    ::close(largada[1]);
    std::vector<int> saidas;
    for (const pid_t filho : filhos) {
        int status = 0;
        const bool terminou = filho > 0 && ::waitpid(filho, &status, 0) == filho && WIFEXITED(status);
        saidas.push_back(terminou ? WEXITSTATUS(status) : -1);
    }
    return saidas;
}

int emFilho(const std::function<bool()>& acao)
{
    return aoMesmoTempo(1, acao).front();
}

// preparaPastaDoCurso in a child process; its problem goes to the error stream.
std::function<bool()> prepara(const QString& pasta, const QString& instalado)
{
    return [pasta, instalado] {
        const std::optional<QString> erro = preparaPastaDoCurso(pasta, instalado);
        if (erro)
            std::fprintf(stderr, "%s\n", qPrintable(*erro));
        return !erro;
    };
}

mode_t modo(const QString& arquivo)
{
    struct stat st {};
    return ::stat(QFile::encodeName(arquivo).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A copy fails halfway, on a disk that is full by then: it leaves none of
// the files laid before it, and tells why in the program's words.
TEST_F(PastaDoCurso, ALayingThatFailsLeavesNoNewFile)
{
    const QString instalado = origem();
    writeFile(QStringLiteral("instalado/notas/re5.wav"), QByteArray(8192, 'r'));
    const QString pasta = QDir::current().absoluteFilePath(QStringLiteral("turma"));
    const std::optional<QString> erro = [&] {
        const DiscoCheio cheio(1024);
        return preparaPastaDoCurso(pasta, instalado);
    }();
    EXPECT_EQ(erro, QStringLiteral("Não foi possível gravar na pasta do curso %1: o arquivo passou do tamanho "
                                   "máximo permitido.")
                        .arg(pasta));
    EXPECT_EQ(QDir(pasta).entryList(QDir::Files | QDir::Hidden), QStringList());
    EXPECT_EQ(QDir(pasta + QStringLiteral("/notas")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// The catalogue and the notes are laid as every file the program creates:
// with the user's umask, whatever the mode of the installed files, so that a
// folder a group shares stays writable by the group.
TEST_F(PastaDoCurso, TheFilesLaidTakeTheUmaskNotTheInstalledMode)
{
    const QString instalado = origem();
    for (const QString& arquivo : {kArquivoExercicios, QStringLiteral("notas/do5.wav"), QStringLiteral("notas/re5.wav")})
        QFile::setPermissions(instalado + u'/' + arquivo, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                              QFileDevice::ReadOther);
    for (const mode_t mascara : {mode_t(002), mode_t(022), mode_t(027), mode_t(077)}) {
        const QString pasta = QStringLiteral("turma-%1").arg(mascara, 3, 8, QLatin1Char('0'));
        SCOPED_TRACE(pasta.toStdString());
        ASSERT_EQ(emFilho([&] {
                      ::umask(mascara);
                      return prepara(pasta, instalado)();
                  }),
                  0);
        for (const QString& arquivo :
             {kArquivoExercicios, QStringLiteral("notas/do5.wav"), QStringLiteral("notas/re5.wav")})
            EXPECT_EQ(modo(pasta + u'/' + arquivo), 0666 & ~mascara) << arquivo.toStdString();
        EXPECT_EQ(modo(pasta + QStringLiteral("/notas")), 0777 & ~mascara);
    }
}

// Whoever can write to a shared folder may plant links in it. Neither the
// write probe nor a file being laid goes through one: what a link points to
// stays as it was, or is never created.
TEST_F(PastaDoCurso, ALinkPlantedInTheFolderIsNeverFollowed)
{
    const QString instalado = origem();
    struct Caso {
        QString nome;  // the link, in the course folder
        QString alvo;  // beside the folder; "novo" does not exist
    };
    const Caso casos[] = {
        {QStringLiteral(".quiravo-teste"), QStringLiteral("alvo")},
        {QStringLiteral(".quiravo-teste"), QStringLiteral("novo")},
        {kArquivoExercicios, QStringLiteral("novo")},
        {QStringLiteral("notas/re5.wav"), QStringLiteral("novo")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE((caso.nome + QStringLiteral(" -> ") + caso.alvo).toStdString());
        QDir(QStringLiteral("turma")).removeRecursively();
        QDir().mkpath(QStringLiteral("turma/notas"));
        writeFile(QStringLiteral("alvo"), "do professor");
        const QString alvo = QDir::current().absoluteFilePath(caso.alvo);
        const QString link = QStringLiteral("turma/") + caso.nome;
        ASSERT_TRUE(QFile::link(alvo, link));

        EXPECT_EQ(preparaPastaDoCurso(QStringLiteral("turma"), instalado), std::nullopt);
        EXPECT_EQ(readFile(QStringLiteral("alvo")), QByteArray("do professor"));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("novo")));
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), alvo);
        // nothing left behind: the files laid, and the link
        QStringList esperados{kArquivoExercicios, QStringLiteral("notas/do5.wav"), QStringLiteral("notas/re5.wav")};
        esperados.removeOne(caso.nome);
        esperados << caso.nome;
        esperados.sort();
        QStringList achados;
        QDirIterator it(QStringLiteral("turma"), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            achados << it.next().mid(QStringLiteral("turma/").size());
        achados.sort();
        EXPECT_EQ(achados, esperados);
    }
}

// Several first starts at once on one empty folder, as when a class turns
// its machines on: every one of them starts, and the folder holds one copy of
// each file and no temporary one.
TEST_F(PastaDoCurso, SeveralFirstStartsAtOnceLayOneCourseAndLeaveNothingBehind)
{
    const QString instalado = origem();
    // copies long enough for the starts to meet
    writeFile(QStringLiteral("instalado/") + kArquivoExercicios, QByteArray(1 << 20, 'c'));
    for (int vez = 1; vez <= 10; ++vez) {
        SCOPED_TRACE(vez);
        const QString pasta = QStringLiteral("turma%1").arg(vez);
        EXPECT_EQ(aoMesmoTempo(6, prepara(pasta, instalado)), std::vector<int>(6, 0));
        EXPECT_EQ(QDir(pasta).entryList(QDir::Files | QDir::Hidden), QStringList{kArquivoExercicios});
        EXPECT_EQ(QDir(pasta + QStringLiteral("/notas")).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("do5.wav"), QStringLiteral("re5.wav")}));
        EXPECT_EQ(QFile(pasta + u'/' + kArquivoExercicios).size(), 1 << 20);
    }
}

// A course folder that is itself a link (to a school's disk) is prepared
// where it leads.
TEST_F(PastaDoCurso, ALinkedFolderIsPreparedWhereItLeads)
{
    const QString instalado = origem();
    QDir().mkdir(QStringLiteral("disco"));
    ASSERT_TRUE(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("disco")), QStringLiteral("turma")));
    EXPECT_EQ(preparaPastaDoCurso(QDir::current().absoluteFilePath(QStringLiteral("turma")), instalado), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("disco/") + kArquivoExercicios), QByteArray("catalogo novo"));
    EXPECT_EQ(readFile(QStringLiteral("disco/notas/do5.wav")), QByteArray("do"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("turma")).isSymLink());
}

}  // namespace
