// quiravo --relatorio: the class report written without a window.

#include "data/records.h"
#include "data/scrambling.h"
#include "platform/clock.h"
#include "../app/disco_cheio.h"
#include "../data/records_builder.h"
#include "support/fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const QString kCurso = QStringLiteral("curso");
constexpr int kAlunos = 8;

struct Saida {
    int status;
    QString erro;
};

// Runs a program in the current directory, under the C locale of a lab
// machine, and returns its status and error stream. noFilho runs in the child
// process before the program starts.
Saida roda(const QString& programa, const QStringList& argumentos, QByteArray* saida = nullptr,
           const std::function<void()>& noFilho = {})
{
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // a desktop session's runtime folder, so that the error stream holds the program's words only
    static const QTemporaryDir sessao;
    ambiente.insert(QStringLiteral("XDG_RUNTIME_DIR"), sessao.path());
    processo.setProcessEnvironment(ambiente);
    if (noFilho)
        processo.setChildProcessModifier(noFilho);
    processo.start(programa, argumentos);
    if (!processo.waitForFinished(60000))
        return {-1, processo.errorString()};
    if (saida)
        *saida = processo.readAllStandardOutput();
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1,
            QString::fromUtf8(processo.readAllStandardError())};
}

Saida relatorio(const QString& arquivo, const QString& curso = kCurso)
{
    return roda(QStringLiteral(QUIRAVO_PROGRAMA), {QStringLiteral("--curso"), curso, QStringLiteral("--relatorio"), arquivo});
}

// The report written on a disk with only `livres` bytes left for a file.
Saida relatorioEmDiscoCheio(const QString& arquivo, rlim_t livres)
{
    return roda(QStringLiteral(QUIRAVO_PROGRAMA), {QStringLiteral("--curso"), kCurso, QStringLiteral("--relatorio"), arquivo},
                nullptr, [livres] { limitaOsArquivos(livres); });
}

QString absoluto(const QString& nome)
{
    return QDir::current().absoluteFilePath(nome);
}

QString pdfParaTexto(const QString& pdf, int pagina)
{
    QByteArray texto;
    const QString p = QString::number(pagina);
    EXPECT_EQ(roda(QStringLiteral("pdftotext"), {QStringLiteral("-f"), p, QStringLiteral("-l"), p, pdf, QStringLiteral("-")}, &texto).status, 0);
    return QString::fromUtf8(texto);
}

int paginasDoPdf(const QString& pdf)
{
    QByteArray info;
    EXPECT_EQ(roda(QStringLiteral("pdfinfo"), {pdf}, &info).status, 0);
    const QRegularExpressionMatch paginas =
        QRegularExpression(QStringLiteral("Pages: *(\\d+)")).match(QString::fromUtf8(info));
    EXPECT_TRUE(paginas.hasMatch()) << info.toStdString();
    return paginas.captured(1).toInt();
}

double dia(int d)
{
    return dayCount(QDate(2026, 12, d));
}

tAluno aluno(std::int32_t codigo, const QByteArray& nome)
{
    tAluno a = rawAluno(codigo, nome, "segredo");
    a.EMail.set(Embaralha("aluno@escola.br", kChave));
    return a;
}

// A course: a catalogue of one exercise; João, then Ana (whose name needs
// quotes in a CSV), then students without records.
void criaCurso(const QString& pasta)
{
    QDir().mkdir(pasta);
    ExercicioPlano exercicio;
    exercicio.linhas[0] = "asdf";
    exercicio.linhasExigidas = 1;
    writeFile(pasta + u'/' + kArquivoExercicios, bytesOf(rawExercicio(exercicio)));
    std::vector<tAluno> alunos{aluno(1, "Jo\xE3o Silva"), aluno(2, "Ana \"Nina\"; Souza")};
    for (int codigo = 3; codigo <= kAlunos; ++codigo)
        alunos.push_back(aluno(codigo, "Aluno " + QByteArray::number(codigo)));
    writeFile(pasta + u'/' + kArquivoAlunos, bytesOf(alunos));
    writeFile(pasta + u'/' + kArquivoAulas,
              bytesOf(std::vector<tAula>{aula(1, 0, dia(1)), aula(1, 2, dia(2), 150), aula(2, 1, dia(2), 80),
                                         aula(1, 3, dia(2), 140)}));
}

class RelatorioTest : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        criaCurso(kCurso);
    }
};

TEST_F(RelatorioTest, TheCsvOpensInASpreadsheetAsItIs)
{
    const Saida saida = relatorio(QStringLiteral("turma.csv"));
    ASSERT_EQ(saida.status, 0) << saida.erro.toStdString();
    QByteArray esperado = "\xEF\xBB\xBF"
                          "C\xC3\xB3" "digo;Nome;\xC3\x9Altimo exerc\xC3\xAD" "cio;Passagens;Dias de pr\xC3\xA1tica;"
                          "Primeira aula;\xC3\x9Altima aula;Melhor velocidade (t/m);\xC3\x9Altima velocidade (t/m);"
                          "Teclas a treinar\r\n"
                          "1;Jo\xC3\xA3o Silva;3;2;1;02/12/2026;02/12/2026;150;140;\r\n"
                          "2;\"Ana \"\"Nina\"\"; Souza\";1;1;1;02/12/2026;02/12/2026;80;80;\r\n";
    for (int codigo = 3; codigo <= kAlunos; ++codigo)
        esperado += QByteArray::number(codigo) + ";Aluno " + QByteArray::number(codigo) + ";0;0;0;;;0;0;\r\n";
    EXPECT_EQ(readFile(QStringLiteral("turma.csv")), esperado);
}

// A name a spreadsheet would run as a formula is written as text: a "'"
// before it, inside the quotes that a ";" or a quote asks for.
TEST_F(RelatorioTest, ANameASpreadsheetWouldRunAsAFormulaIsWrittenAsText)
{
    struct Caso {
        QByteArray nome;   // in the student file
        QByteArray campo;  // in the CSV
    };
    const Caso casos[] = {
        {"=2+3*10", "'=2+3*10"},
        {"=HYPERLINK(\"http://x.co\";\"ver notas\")", "\"'=HYPERLINK(\"\"http://x.co\"\";\"\"ver notas\"\")\""},
        {"+55 11", "'+55 11"},
        {"-Ana", "'-Ana"},
        {"@Ana", "'@Ana"},
        {"\tAna", "'\tAna"},
        // a line break inside a field goes between quotes
        {"\rAna", "\"'\rAna\""},
        {"Ana = Bia", "Ana = Bia"},
    };
    std::vector<tAluno> alunos;
    for (const Caso& caso : casos)
        alunos.push_back(aluno(std::int32_t(alunos.size() + 1), caso.nome));
    writeFile(kCurso + u'/' + kArquivoAlunos, bytesOf(alunos));

    const Saida saida = relatorio(QStringLiteral("turma.csv"));
    ASSERT_EQ(saida.status, 0) << saida.erro.toStdString();
    const QByteArray csv = readFile(QStringLiteral("turma.csv"));
    int codigo = 0;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome.toStdString());
        EXPECT_TRUE(csv.contains("\r\n" + QByteArray::number(++codigo) + ';' + caso.campo + ';'));
    }
}

TEST_F(RelatorioTest, ThePdfBreaksPagesBetweenStudentsAndHoldsNoSecret)
{
    // every student passed an exercise: eight charts
    std::vector<tAula> aulas;
    for (int codigo = 1; codigo <= kAlunos; ++codigo)
        aulas.push_back(aula(codigo, 1, dia(3), 100 + codigo));
    writeFile(kCurso + u'/' + kArquivoAulas, readFile(kCurso + u'/' + kArquivoAulas) + bytesOf(aulas));

    const Saida saida = relatorio(QStringLiteral("turma.pdf"));
    ASSERT_EQ(saida.status, 0) << saida.erro.toStdString();
    QByteArray info;
    ASSERT_EQ(roda(QStringLiteral("pdfinfo"), {QStringLiteral("turma.pdf")}, &info).status, 0);
    EXPECT_TRUE(info.contains("Pages:           2")) << info.toStdString();
    EXPECT_TRUE(info.contains("A4")) << info.toStdString();

    const QString primeira = pdfParaTexto(QStringLiteral("turma.pdf"), 1);
    const QString segunda = pdfParaTexto(QStringLiteral("turma.pdf"), 2);
    EXPECT_TRUE(primeira.contains(QStringLiteral("Relatório da turma")));
    EXPECT_TRUE(primeira.contains(QDir(kCurso).absolutePath()));
    EXPECT_TRUE(primeira.contains(QStringLiteral("Impresso em ")));
    EXPECT_TRUE(primeira.contains(QStringLiteral("João Silva")));
    EXPECT_TRUE(primeira.contains(QStringLiteral("02/12/2026")));
    // the headings break between words, never inside their unit
    EXPECT_EQ(primeira.count(QStringLiteral("(t/m)")), 2) << primeira.toStdString();
    EXPECT_FALSE(primeira.contains(QStringLiteral("(t/\n"))) << primeira.toStdString();
    // the heading comes again above the students of the next page
    EXPECT_TRUE(segunda.contains(QStringLiteral("Código")));
    // each student whole on one page
    for (int codigo = 3; codigo <= kAlunos; ++codigo) {
        const QString nome = QStringLiteral("Aluno %1").arg(codigo);
        EXPECT_NE(primeira.contains(nome), segunda.contains(nome)) << nome.toStdString();
    }
    for (const QString& texto : {primeira, segunda}) {
        EXPECT_FALSE(texto.contains(QStringLiteral("segredo")));
        EXPECT_FALSE(texto.contains(QStringLiteral("@escola")));
    }
}

// Seventy students, five of whom passed an exercise: the others take a line
// each in a table of their own, not an empty chart each (twelve pages), and
// every page says which of how many it is.
TEST_F(RelatorioTest, SeventyStudentsMostlyNewFitInThreePagesEachNumbered)
{
    std::vector<tAluno> alunos;
    std::vector<tAula> aulas;
    for (int codigo = 1; codigo <= 70; ++codigo) {
        alunos.push_back(aluno(codigo, "Aluno " + QByteArray::number(codigo)));
        aulas.push_back(aula(codigo, 0, dia(1)));
        if (codigo % 14 == 0)
            aulas.push_back(aula(codigo, 1, dia(2), 120));
    }
    writeFile(kCurso + u'/' + kArquivoAlunos, bytesOf(alunos));
    writeFile(kCurso + u'/' + kArquivoAulas, bytesOf(aulas));

    const Saida saida = relatorio(QStringLiteral("turma.pdf"));
    ASSERT_EQ(saida.status, 0) << saida.erro.toStdString();
    const int total = paginasDoPdf(QStringLiteral("turma.pdf"));
    // five charts fill most of the first page; a line of the others is under
    // 7 mm, so more than 35 of them go on a page
    EXPECT_LE(total, 3);
    QString texto;
    for (int pagina = 1; pagina <= total; ++pagina) {
        const QString essa = pdfParaTexto(QStringLiteral("turma.pdf"), pagina);
        EXPECT_TRUE(essa.contains(QStringLiteral("Página %1 de %2").arg(pagina).arg(total))) << essa.toStdString();
        texto += essa;
    }
    // the registration's date tells apart those who have not passed yet
    EXPECT_TRUE(texto.contains(QStringLiteral("Alunos ainda sem passagens")));
    EXPECT_TRUE(texto.contains(QStringLiteral("01/12/2026")));
    for (int codigo = 1; codigo <= 70; ++codigo)
        EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("\\bAluno %1\\b").arg(codigo)))) << codigo;
}

// Key statistics counted for characters no keyboard types (a NUL, a line
// feed, a carriage return: a damaged file) are no keys to train: the CSV
// keeps one line per student, with no control character inside a field,
// and the PDF shows none either. A ";" and a quote still are keys to train,
// between quotes in the CSV.
TEST_F(RelatorioTest, DamagedKeyStatisticsPrintNoControlCharacter)
{
    std::vector<tToque> toques;
    for (std::int32_t codigo = 1; codigo <= kAlunos; ++codigo) {
        const std::pair<char, std::uint32_t> erros[] = {{'\0', 40}, {'\n', 40}, {'\r', 40}, {'\x1B', 40},
                                                        {';', 30},  {'"', 20},  {'a', 0}};
        for (const auto& [caractere, erradas] : erros) {
            tToque r = storedKeyCount(caractere, 40, erradas, 2000);
            r.CodAluno = codigo;
            r.Sessao = dia(2);
            toques.push_back(r);
        }
    }
    writeFile(kCurso + u'/' + kArquivoToques, bytesOf(toques));

    for (const QString& arquivo : {QStringLiteral("turma.csv"), QStringLiteral("turma.pdf")}) {
        const Saida saida = relatorio(arquivo);
        ASSERT_EQ(saida.status, 0) << saida.erro.toStdString();
    }
    const QByteArray csv = readFile(QStringLiteral("turma.csv"));
    // a CR LF ends each line, and no byte under 0x20 stands anywhere else
    EXPECT_EQ(csv.count("\r\n"), kAlunos + 1);
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const bool fimDeLinha = csv.mid(i, 2) == "\r\n" || (i > 0 && csv.mid(i - 1, 2) == "\r\n");
        EXPECT_TRUE(static_cast<unsigned char>(csv[i]) >= 0x20 || fimDeLinha) << "byte " << int(csv[i]) << " at " << i;
    }
    EXPECT_TRUE(csv.contains("\r\n1;Jo\xC3\xA3o Silva;3;2;1;02/12/2026;02/12/2026;150;140;\"; \"\" a\"\r\n"))
        << csv.toStdString();

    QString pdf;
    for (int pagina = 1; pagina <= paginasDoPdf(QStringLiteral("turma.pdf")); ++pagina)
        pdf += pdfParaTexto(QStringLiteral("turma.pdf"), pagina);
    // the text of the PDF leaves out the blanks between single characters
    EXPECT_TRUE(QString(pdf).remove(u' ').contains(QStringLiteral(";\"a"))) << pdf.toStdString();
    for (const QChar c : pdf)
        EXPECT_TRUE(c.isPrint() || c == u'\n' || c == u'\f') << "U+" << QString::number(c.unicode(), 16).toStdString();
}

TEST_F(RelatorioTest, AWrongNameOrAFolderItCannotWriteGivesStatus1AndNoFile)
{
    writeFile(QStringLiteral("comum"), "um arquivo, n\xC3\xA3o uma pasta");
    struct Caso {
        QString arquivo;
        const char* mensagem;
    };
    const Caso casos[] = {
        {QStringLiteral("turma.txt"), "quiravo: o relat\xC3\xB3rio deve ter a extens\xC3\xA3o .pdf ou .csv: "},
        // the cause in the program's words, not the system's English
        {QStringLiteral("comum/turma.csv"), "quiravo: n\xC3\xA3o foi poss\xC3\xADvel gravar o relat\xC3\xB3rio "},
        {QStringLiteral("comum/turma.pdf"), "/comum/turma.pdf: parte do caminho n\xC3\xA3o \xC3\xA9 uma pasta\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.arquivo.toStdString());
        const Saida saida = relatorio(caso.arquivo);
        EXPECT_EQ(saida.status, 1);
        EXPECT_TRUE(saida.erro.contains(QString::fromUtf8(caso.mensagem))) << saida.erro.toStdString();
        EXPECT_FALSE(QFileInfo::exists(caso.arquivo));
    }
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("comum")});
}

// A full disk, or a limit on the size of a file, stops the report midway:
// the program says so and ends with status 1, and the old report stays as it
// was, with no temporary file beside it.
TEST_F(RelatorioTest, OnAFullDiskTheOldReportStaysAndTheCauseIsTold)
{
    struct Caso {
        QString arquivo;
        rlim_t livres;
    };
    const Caso casos[] = {
        {QStringLiteral("turma.csv"), 0},
        {QStringLiteral("turma.csv"), 100},   // the CSV's last bytes go with the final flush
        {QStringLiteral("turma.pdf"), 4096},  // the PDF goes in large writes
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(QStringLiteral("%1, %2 bytes").arg(caso.arquivo).arg(caso.livres).toStdString());
        writeFile(caso.arquivo, "relat\xC3\xB3rio antigo");
        const Saida saida = relatorioEmDiscoCheio(caso.arquivo, caso.livres);
        EXPECT_EQ(saida.status, 1);
        EXPECT_EQ(saida.erro, QStringLiteral("quiravo: não foi possível gravar o relatório %1: o arquivo passou do "
                                             "tamanho máximo permitido\n")
                                  .arg(absoluto(caso.arquivo)));
        EXPECT_EQ(readFile(caso.arquivo), QByteArray("relat\xC3\xB3rio antigo"));
        EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{caso.arquivo});
        QFile::remove(caso.arquivo);
    }
}

// Whoever can write to a shared folder may plant a link, a pipe or a second
// name of a course file where the teacher saves the report. Such a target is
// refused by name and left as it was, and so is what a link points to.
TEST_F(RelatorioTest, ATargetThatIsNoPlainFileOrIsACourseFileIsRefusedUntouched)
{
    QDir().mkpath(kCurso + QStringLiteral("/notas"));
    writeFile(kCurso + QStringLiteral("/notas/do5.wav"), "do");
    writeFile(QStringLiteral("alvo"), "do professor");
    const QString aulas = absoluto(kCurso + u'/' + kArquivoAulas);
    const QByteArray historico = readFile(aulas);
    const auto link = [](const QString& alvo) {
        return [alvo](const QString& nome) { return QFile::link(alvo, nome); };
    };
    const auto segundoNome = [](const QString& arquivo) {
        return [arquivo](const QString& nome) {
            return ::link(QFile::encodeName(arquivo).constData(), QFile::encodeName(nome).constData()) == 0;
        };
    };
    const QString especial = QStringLiteral("é um arquivo especial (um pipe, um soquete ou um dispositivo)");
    struct Caso {
        QString nome;
        std::function<bool(const QString&)> planta;
        QString motivo;
    };
    const Caso casos[] = {
        {QStringLiteral("historico.csv"), link(aulas), QStringLiteral("é um link simbólico")},
        {QStringLiteral("fora.pdf"), link(absoluto(QStringLiteral("alvo"))), QStringLiteral("é um link simbólico")},
        {QStringLiteral("pendente.csv"), link(absoluto(QStringLiteral("novo"))), QStringLiteral("é um link simbólico")},
        {QStringLiteral("fila.csv"),
         [](const QString& nome) { return ::mkfifo(QFile::encodeName(nome).constData(), 0666) == 0; }, especial},
        // a device like /dev/null, made here: only root can
        {QStringLiteral("nulo.pdf"),
         [](const QString& nome) {
             return ::mknod(QFile::encodeName(nome).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         especial},
        {QStringLiteral("pasta.pdf"), [](const QString& nome) { return QDir().mkdir(nome); },
         QStringLiteral("é uma pasta")},
        {QStringLiteral("aulas.csv"), segundoNome(aulas), QStringLiteral("é o arquivo %1 do curso").arg(aulas)},
        {QStringLiteral("nota.csv"), segundoNome(absoluto(kCurso + QStringLiteral("/notas/do5.wav"))),
         QStringLiteral("é o arquivo %1 do curso").arg(absoluto(kCurso + QStringLiteral("/notas/do5.wav")))},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome.toStdString());
        if (!caso.planta(caso.nome)) {
            EXPECT_NE(geteuid(), 0u) << "could not plant it";
            continue;
        }
        struct stat antes {};
        ::lstat(QFile::encodeName(caso.nome).constData(), &antes);

        const Saida saida = relatorio(caso.nome);
        EXPECT_EQ(saida.status, 1);
        EXPECT_EQ(saida.erro, QStringLiteral("quiravo: não foi possível gravar o relatório %1: %2\n")
                                  .arg(absoluto(caso.nome), caso.motivo));
        struct stat depois {};
        ::lstat(QFile::encodeName(caso.nome).constData(), &depois);
        EXPECT_EQ(depois.st_ino, antes.st_ino);
        EXPECT_EQ(depois.st_mode, antes.st_mode);
        EXPECT_EQ(depois.st_size, antes.st_size);
        EXPECT_EQ(readFile(aulas), historico);
        EXPECT_EQ(readFile(QStringLiteral("alvo")), QByteArray("do professor"));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("novo")));
    }
}

// A new name, an old report written over, a course folder that is itself a
// link: the report is written as it always was.
TEST_F(RelatorioTest, ANewNameAnOldReportAndALinkedCourseFolderAreWritten)
{
    ASSERT_TRUE(QFile::link(absoluto(kCurso), QStringLiteral("ligado")));
    writeFile(QStringLiteral("antigo.csv"), "relat\xC3\xB3rio antigo");
    struct Caso {
        QString curso;
        QString arquivo;
    };
    const Caso casos[] = {
        {kCurso, QStringLiteral("novo.csv")},
        {kCurso, QStringLiteral("antigo.csv")},
        {QStringLiteral("ligado"), QStringLiteral("ligado/turma.csv")},
    };
    const QByteArray esperado = [] {
        EXPECT_EQ(relatorio(QStringLiteral("primeiro.csv")).status, 0);
        return readFile(QStringLiteral("primeiro.csv"));
    }();
    ASSERT_TRUE(esperado.contains("Jo\xC3\xA3o Silva"));
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.arquivo.toStdString());
        const Saida saida = relatorio(caso.arquivo, caso.curso);
        EXPECT_EQ(saida.status, 0) << saida.erro.toStdString();
        EXPECT_EQ(readFile(caso.arquivo), esperado);
    }
    EXPECT_TRUE(QFileInfo(kCurso + QStringLiteral("/turma.csv")).isFile());
}

// A folder that holds no course is told as such, not reported as a class
// without students.
TEST_F(RelatorioTest, AFolderWithoutACourseIsToldNotReportedEmpty)
{
    writeFile(QStringLiteral("comum"), "um arquivo");
    struct Caso {
        QString curso;
        std::function<void(const QString&)> estraga;
        QString mensagem;  // after "quiravo: "; %1 is the folder
    };
    const auto vira_pasta = [](const QString& arquivo) {
        return [arquivo](const QString& curso) {
            QFile::remove(curso + u'/' + arquivo);
            QDir().mkdir(curso + u'/' + arquivo);
        };
    };
    const Caso casos[] = {
        {QStringLiteral("sem-catalogo"), [](const QString& curso) { QFile::remove(curso + u'/' + kArquivoExercicios); },
         QStringLiteral("a pasta %1 não tem um curso: falta o catálogo ZORPExercicio20.dat")},
        {QStringLiteral("vazia"), [](const QString& curso) { QDir(curso).removeRecursively(); QDir().mkdir(curso); },
         QStringLiteral("a pasta %1 não tem um curso: falta o catálogo ZORPExercicio20.dat")},
        {QStringLiteral("alunos-pasta"), vira_pasta(kArquivoAlunos),
         QStringLiteral("não foi possível ler o curso em %1: ZORPAlunos20.dat é uma pasta")},
        {QStringLiteral("aulas-pasta"), vira_pasta(kArquivoAulas),
         QStringLiteral("não foi possível ler o curso em %1: ZORPAulas20.dat é uma pasta")},
        {QStringLiteral("comum"), [](const QString&) {}, QStringLiteral("%1 não é uma pasta")},
        {QStringLiteral("sumida"), [](const QString& curso) { QDir(curso).removeRecursively(); },
         QStringLiteral("a pasta do curso %1 não existe")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.curso.toStdString());
        if (caso.curso != QStringLiteral("comum"))
            criaCurso(caso.curso);
        caso.estraga(caso.curso);
        const Saida saida = relatorio(QStringLiteral("turma.csv"), caso.curso);
        EXPECT_EQ(saida.status, 1);
        EXPECT_EQ(saida.erro, QStringLiteral("quiravo: ") + caso.mensagem.arg(absoluto(caso.curso)) + u'\n');
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("turma.csv")));
    }
}

}  // namespace
