// A class enrolled from a list: the lines read as the registration screen
// would take them, whatever program saved the file, the refused and the
// repeated ones named, the rest registered in order; an enrolment cut short
// tells who was registered and who was not.

#include "students/matricula.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "students/desempenho.h"
#include "support/fixture.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

struct Lida {
    int numero;
    const char* nome;
    const char* email;
    const char* recusa;
};

void confere(const std::vector<LinhaDaTurma>& turma, const std::vector<Lida>& esperadas)
{
    ASSERT_EQ(turma.size(), esperadas.size());
    for (size_t i = 0; i < turma.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(turma[i].numero));
        EXPECT_EQ(turma[i].numero, esperadas[i].numero);
        EXPECT_EQ(turma[i].nome, QString::fromUtf8(esperadas[i].nome));
        EXPECT_EQ(turma[i].email, QString::fromUtf8(esperadas[i].email));
        EXPECT_EQ(turma[i].recusa, QString::fromUtf8(esperadas[i].recusa));
    }
}

QByteArray emUtf16(QStringConverter::Encoding codificacao, const QString& texto)
{
    QStringEncoder codificador(codificacao, QStringConverter::Flag::WriteBom);
    return codificador(texto);
}

TEST(ListaDaTurma, ASpreadsheetsCsvWithAHeadingQuotesAndBlankLines)
{
    const QByteArray csv = "\xEF\xBB\xBFNome;E-mail\r\n"
                           "Ana Lima;ana@escola.br\r\n"
                           "\r\n"
                           "\"Souza; Bia\";\"bia \"\"b\"\"@x.br\"\r\n"
                           "  Caio  \r\n"
                           ";sem@nome.br\r\n"
                           "\xC5\x81ukasz Nowak\r\n"
                           "Maria Aparecida dos Santos de Oliveira Neta\r\n";
    confere(LeListaDaTurma(csv),
            {{2, "Ana Lima", "ana@escola.br", ""},
             {4, "Souza; Bia", "bia \"b\"@x.br", ""},
             {5, "Caio", "", ""},
             {6, "", "sem@nome.br", "Digite pelo menos o nome do aluno."},
             {7, "Łukasz Nowak", "", "O nome tem o caractere \"Ł\", que o curso não guarda."},
             {8, "Maria Aparecida dos Santos de Oliveira Neta", "", "O nome tem mais de 40 caracteres."}});
}

// One list saved by different programs: every encoding and every kind of
// line end gives the same students on the same lines.
TEST(ListaDaTurma, EveryEncodingAndLineEndGivesTheSameStudents)
{
    const QString lista = QStringLiteral("Nome;E-mail\nJoão Conceição;joao@escola.br\n\nBia\n");
    auto comFins = [&](const char* fim) { return QString(lista).replace(u'\n', QString::fromLatin1(fim)); };
    const struct {
        const char* como;
        QByteArray bytes;
    } arquivos[] = {
        {"UTF-8", lista.toUtf8()},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + lista.toUtf8()},
        {"Windows-1252, CR LF", toCp1252(comFins("\r\n"))},
        {"Windows-1252, CR alone (old Mac)", toCp1252(comFins("\r"))},
        {"UTF-8, CR alone", comFins("\r").toUtf8()},
        {"UTF-16 LE with its mark, CR LF (a spreadsheet's Unicode text)",
         emUtf16(QStringConverter::Utf16LE, comFins("\r\n"))},
        {"UTF-16 BE with its mark", emUtf16(QStringConverter::Utf16BE, lista)},
        {"UTF-16 LE with its mark, CR alone", emUtf16(QStringConverter::Utf16LE, comFins("\r"))},
    };
    for (const auto& arquivo : arquivos) {
        SCOPED_TRACE(arquivo.como);
        confere(LeListaDaTurma(arquivo.bytes), {{2, "João Conceição", "joao@escola.br", ""}, {4, "Bia", "", ""}});
    }
}

TEST(ListaDaTurma, AWindowsTextFileInItsCodePage)
{
    confere(LeListaDaTurma("Jo\xE3o\nConcei\xE7\xE3o\n"), {{1, "João", "", ""}, {2, "Conceição", "", ""}});
}

// A name or an e-mail that would hold a character nobody sees is refused.
TEST(ListaDaTurma, AControlCharacterInANameOrAnEMailIsRefused)
{
    const char bytes[] = "\0\0\0\n"             // a line of NULs
                         "Ana\tLima\n"           // a tab inside the name
                         "Bia\x7F;bia@x.br\n"    // DEL
                         "Caio;caio@x\x01.br\n"  // in the e-mail
                         "Davi\xC2\x85 Reis\n"   // a C1 control in UTF-8
                         "\tEva\t;\teva@x.br \n"; // blanks around are trimmed
    const std::vector<LinhaDaTurma> turma = LeListaDaTurma(QByteArray(bytes, sizeof bytes - 1));
    ASSERT_EQ(turma.size(), 6u);
    EXPECT_EQ(turma[0].nome, QString(3, QChar(0)));
    EXPECT_EQ(turma[0].recusa, QStringLiteral("O nome tem um caractere de controle, que não se vê, na posição 1."));
    confere({turma.begin() + 1, turma.end()},
            {{2, "Ana\tLima", "", "O nome tem um caractere de controle, que não se vê, na posição 4."},
             {3, "Bia\x7F", "bia@x.br", "O nome tem um caractere de controle, que não se vê, na posição 4."},
             {4, "Caio", "caio@x\x01.br", "O e-mail tem um caractere de controle, que não se vê, na posição 7."},
             {5, "Davi\xC2\x85 Reis", "", "O nome tem um caractere de controle, que não se vê, na posição 5."},
             {6, "Eva", "eva@x.br", ""}});
    EXPECT_EQ(Visivel(QStringLiteral("Ana\tLima\x01")), QStringLiteral("Ana\u25A1Lima\u25A1"));
}

TEST(ListaDaTurma, TheSeparatorAndTheHeadingAreRecognised)
{
    const struct {
        const char* como;
        QByteArray bytes;
        std::vector<Lida> lidas;
    } listas[] = {
        {"a spreadsheet's commas, Windows-1252, CR LF",
         "Nome,E-mail\r\nHelo\xEDsa S\xE1,heloisa.sa@escola.br\r\nCaio,\r\n",
         {{2, "Heloísa Sá", "heloisa.sa@escola.br", ""}, {3, "Caio", "", ""}}},
        {"tabs, a heading in capitals without the hyphen",
         "NOME\tEMAIL\nAna Lima\tana@escola.br\n",
         {{2, "Ana Lima", "ana@escola.br", ""}}},
        {"a heading with accents and more words",
         "Nome do aluno;Endere\xC3\xA7o de e-mail\nAna;ana@escola.br\n",
         {{2, "Ana", "ana@escola.br", ""}}},
        {"the e-mail's column first", "E-MAIL,Nome\nana@escola.br,Ana\n", {{2, "Ana", "ana@escola.br", ""}}},
        {"more columns, the heading says which",
         "N\xC2\xBA;Nome;Turma;e-mail\n1;Ana;8\xC2\xAA B;ana@escola.br\n2;Bia;8\xC2\xAA B;\n",
         {{2, "Ana", "ana@escola.br", ""}, {3, "Bia", "", ""}}},
        {"a heading of the name alone", "Nome\nAna,ana@escola.br\nBia\n",
         {{2, "Ana", "ana@escola.br", ""}, {3, "Bia", "", ""}}},
        {"commas without a heading", "Ana Lima,ana@escola.br\nBia\nCaio,caio@escola.br\n",
         {{1, "Ana Lima", "ana@escola.br", ""}, {2, "Bia", "", ""}, {3, "Caio", "caio@escola.br", ""}}},
        {"semicolons, commas in the names", "Souza, Ana;ana@escola.br\nLima, Bia;bia@escola.br\n",
         {{1, "Souza, Ana", "ana@escola.br", ""}, {2, "Lima, Bia", "bia@escola.br", ""}}},
        {"commas in names without e-mails", "Souza, Ana\nLima, Bia\n",
         {{1, "Souza, Ana", "", ""}, {2, "Lima, Bia", "", ""}}},
        {"a spreadsheet's empty rows", "Nome,E-mail\nAna,\n,\n , \n", {{2, "Ana", "", ""}}},
        {"a quoted comma", "Nome,E-mail\n\"Souza, Ana\",ana@escola.br\n",
         {{2, "Souza, Ana", "ana@escola.br", ""}}},
        {"a line break inside a quoted field", "\"Ana\nLima\";ana@escola.br\nBia\n",
         {{1, "Ana\nLima", "ana@escola.br", "O nome tem um caractere de controle, que não se vê, na posição 4."},
          {3, "Bia", "", ""}}},
        {"a quote never closed ends with its line", "\"Ana Lima\nBia\n",
         {{1, "Ana Lima", "", ""}, {2, "Bia", "", ""}}},
        {"a quote inside a field is a quote", "Ana \"Aninha\" Lima;ana@escola.br\n",
         {{1, "Ana \"Aninha\" Lima", "ana@escola.br", ""}}},
    };
    for (const auto& lista : listas) {
        SCOPED_TRACE(lista.como);
        confere(LeListaDaTurma(lista.bytes), lista.lidas);
    }
}

// The marks of the lines whose name or e-mail someone already has.
TEST(ListaDaTurma, TheRepeatedLinesNameWhoAlreadyHasTheNameOrTheEMail)
{
    const std::vector<AlunoDoCurso> curso = {{3, QStringLiteral("Ana Lima"), QStringLiteral("ana@escola.br")},
                                             {5, QStringLiteral("José Araújo"), {}},
                                             {8, QStringLiteral("Ana Lima"), {}},
                                             {9, QStringLiteral("Zé %2"), QStringLiteral("ze@escola.br")}};
    std::vector<LinhaDaTurma> turma = LeListaDaTurma("ana lima\n"
                                                     "  ANA   LIMA ;\n"
                                                     "Jose Araujo\n"
                                                     "Outra Pessoa;ANA@Escola.BR\n"
                                                     "Bia\n"
                                                     "Caio;caio@escola.br\n"
                                                     "c\xC3\xA1io\n"
                                                     "Davi;CAIO@escola.br\n"
                                                     ";x\n"
                                                     "Maria Aparecida dos Santos de Oliveira Neta\n"
                                                     "maria aparecida dos santos de oliveira neta;m@x\n"
                                                     "Eva;\n"
                                                     "Ivo;ZE@escola.br\n");
    MarcaRepetidas(turma, curso);
    const char* esperadas[] = {
        "\"Ana Lima\" já está no curso, com o código 3.",
        "\"Ana Lima\" já está no curso, com o código 3.",
        "\"José Araújo\" já está no curso, com o código 5.",
        "O e-mail já é de \"Ana Lima\", código 3, no curso.",
        "",  // an empty e-mail is nobody's
        "",
        "Repete o nome da linha 6.",
        "Repete o e-mail da linha 6.",
        "",  // refused lines are no one's repetition, nor repeated
        "",
        "",
        "",
        "O e-mail já é de \"Zé %2\", código 9, no curso.",
    };
    ASSERT_EQ(turma.size(), std::size(esperadas));
    for (size_t i = 0; i < turma.size(); ++i)
        EXPECT_EQ(turma[i].repetida, QString::fromUtf8(esperadas[i])) << "line " << turma[i].numero;
}

// Who the enrolment takes: refused lines never, repeated ones when the
// teacher says so, and no more than the places left.
TEST(ListaDaTurma, TheEnrolmentLeavesOutTheRefusedTheRepeatedAndThoseBeyondThePlaces)
{
    std::vector<LinhaDaTurma> lidas = LeListaDaTurma("Ana\nBia\n;sem nome\nana\nCaio\n");
    MarcaRepetidas(lidas, {{1, QStringLiteral("Bia"), {}}});
    const QString lotado = QStringLiteral("O curso comporta no máximo 100 alunos.");
    const QString semNome = QStringLiteral("Digite pelo menos o nome do aluno.");
    const QString bia = QStringLiteral("\"Bia\" já está no curso, com o código 1.");
    const QString ana = QStringLiteral("Repete o nome da linha 1.");
    const struct {
        bool comRepetidas;
        std::int64_t vagas;
        std::vector<QString> fora;
    } casos[] = {
        {false, 99, {{}, bia, semNome, ana, {}}},
        {true, 99, {{}, {}, semNome, {}, {}}},
        {false, 1, {{}, bia, semNome, ana, lotado}},
        {true, 2, {{}, {}, semNome, lotado, lotado}},
        {true, 0, {lotado, lotado, semNome, lotado, lotado}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << "with the repeated: " << caso.comRepetidas << ", places: " << caso.vagas);
        std::vector<LinhaDaTurma> turma = lidas;
        DecideMatricula(turma, caso.comRepetidas, caso.vagas);
        ASSERT_EQ(turma.size(), caso.fora.size());
        for (size_t i = 0; i < turma.size(); ++i)
            EXPECT_EQ(turma[i].fora, caso.fora[i]) << "line " << turma[i].numero;
        EXPECT_EQ(Aceitas(turma), std::count(caso.fora.begin(), caso.fora.end(), QString()));
    }
}

tAluno doRol(std::int32_t codigo, const QString& nome, const QString& email = {})
{
    tAluno aluno{};
    aluno.Codigo = codigo;
    aluno.Nome.set(toCp1252(nome));
    aluno.EMail.set(toCp1252(email));
    return aluno;
}

// The course the list is compared with is the roster handed over, its texts
// as typed; the places left are those beside it, never fewer than none.
TEST(ListaDaTurma, TheCourseAndItsPlacesAreTheRosterGiven)
{
    const std::vector<tAluno> rol = {doRol(4, QStringLiteral("José Araújo"), QStringLiteral("jose@escola.br")),
                                     doRol(2, QStringLiteral("Bia"))};
    const std::vector<AlunoDoCurso> curso = AlunosDoCurso(rol);
    ASSERT_EQ(curso.size(), 2u);
    EXPECT_EQ(curso[0].codigo, 4);
    EXPECT_EQ(curso[0].nome, QStringLiteral("José Araújo"));
    EXPECT_EQ(curso[0].email, QStringLiteral("jose@escola.br"));
    EXPECT_EQ(curso[1].codigo, 2);
    EXPECT_EQ(curso[1].nome, QStringLiteral("Bia"));
    EXPECT_TRUE(curso[1].email.isEmpty());

    const struct {
        size_t alunos;
        std::int64_t vagas;
    } casos[] = {{0, 100}, {1, 99}, {99, 1}, {100, 0}, {101, 0}};
    for (const auto& caso : casos)
        EXPECT_EQ(VagasNoCurso(std::vector<tAluno>(caso.alunos)), caso.vagas) << caso.alunos << " students";
}

class Matricula : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        clockseam::set(QDateTime(QDate(2026, 12, 10), QTime(14, 5)));
        recomeca();
    }

    // A course of one student, registered before, and nothing else.
    static void recomeca()
    {
        fileseam::clear();
        for (const QString& arquivo : QDir::current().entryList(QDir::Files | QDir::Hidden))
            QFile::remove(arquivo);
        MaiorCodigo();
        GravaAluno(QStringLiteral("Já cadastrada"), QStringLiteral("segredo"), {}, today(), 2);
    }

    // The list read and decided against the course, the repeated left out.
    static std::vector<LinhaDaTurma> decidida(const QByteArray& lista, std::int64_t vagas = 99)
    {
        std::vector<LinhaDaTurma> turma = LeListaDaTurma(lista);
        MarcaRepetidas(turma, AlunosDoCurso(RolDoCurso()));
        DecideMatricula(turma, false, vagas);
        return turma;
    }

    // The names of the student file after the one registered before.
    static QStringList nomesMatriculados()
    {
        QStringList nomes;
        for (const AlunoDoCurso& aluno : AlunosDoCurso(RolDoCurso())) {
            if (aluno.codigo > 1)
                nomes << aluno.nome;
        }
        return nomes;
    }

    // The names the log of changes holds, in order.
    static QStringList nomesAnotados()
    {
        QStringList nomes;
        const QStringList linhas = UltimasAlteracoes(1000);
        for (auto linha = linhas.rbegin(); linha != linhas.rend(); ++linha)
            nomes << linha->section(u'"', 1, 1);
        return nomes;
    }
};

TEST_F(Matricula, TheLinesAcceptedAreRegisteredInOrderAsTheRegistrationScreenDoes)
{
    const std::vector<LinhaDaTurma> turma = decidida("Ana;ana@escola.br\n;x\nJoão\n");
    const MatriculaFeita feita = MatriculaTurma(turma, 1, RolDoCurso());
    EXPECT_EQ(feita.matriculados, (QStringList{QStringLiteral("Ana"), QStringLiteral("João")}));
    EXPECT_TRUE(feita.completa());

    NumAlunos = CarregaAlunos();
    ASSERT_EQ(NumAlunos, 3);
    const struct {
        int codigo;
        const char* nome;
        const char* email;
    } esperados[] = {{2, "Ana", "ana@escola.br"}, {3, "João", ""}};
    for (int i = 0; i < 2; ++i) {
        const tAluno& a = ListaAlunos[i + 2];
        EXPECT_EQ(a.Codigo, esperados[i].codigo);
        EXPECT_EQ(fromCp1252(a.Nome.bytes()), QString::fromUtf8(esperados[i].nome));
        EXPECT_EQ(fromCp1252(a.EMail.bytes()), QString::fromUtf8(esperados[i].email));
        EXPECT_TRUE(a.Senha.empty());
        EXPECT_EQ(a.DataNasc, today());
        EXPECT_EQ(a.Periodo.bytes(), QByteArray("1"));
    }
    // each with today's registration record, as the registration screen leaves it
    CodAlunoAtual = 3;
    LeHistoricoAulas();
    EXPECT_EQ(AulaAtual.CodAluno, 3);
    EXPECT_EQ(AulaAtual.Data, today());
    EXPECT_EQ(AulaAtual.NumExerc, 0);

    const QStringList log = UltimasAlteracoes(5);
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], QStringLiteral("10/12/2026 14:05:00 - código 3 - matriculado pela lista da turma: \"João\", "
                                     "2 x por semana"));
    EXPECT_EQ(ResumoDaMatricula(turma, feita),
              QStringLiteral("2 alunos matriculados, sem senha.\r1 linha da lista ficou de fora."));
}

// The same list enrolled twice: the second time everyone is already there.
TEST_F(Matricula, AListEnrolledAgainLeavesOutEveryoneAlreadyThere)
{
    const QByteArray lista = "Nome;E-mail\nAna Lima;ana@escola.br\nBia\n";
    ASSERT_EQ(MatriculaTurma(decidida(lista), 0, RolDoCurso()).matriculados.size(), 2);
    const std::vector<LinhaDaTurma> deNovo = decidida(lista);
    EXPECT_EQ(Aceitas(deNovo), 0);
    EXPECT_EQ(deNovo[0].fora, QStringLiteral("\"Ana Lima\" já está no curso, com o código 2."));
    EXPECT_EQ(deNovo[1].fora, QStringLiteral("\"Bia\" já está no curso, com o código 3."));
    EXPECT_TRUE(MatriculaTurma(deNovo, 0, RolDoCurso()).matriculados.isEmpty());
    EXPECT_EQ(nomesMatriculados(), (QStringList{QStringLiteral("Ana Lima"), QStringLiteral("Bia")}));
}

TEST_F(Matricula, ACourseFilledMeanwhileStopsTheEnrolmentAndSaysWho)
{
    const std::vector<tAluno> rol = RolDoCurso();
    const std::vector<LinhaDaTurma> turma = decidida("Ana\nBia\nCaio\n");
    for (int i = 0; i < 98; ++i)
        GravaAluno(QStringLiteral("Outro %1").arg(i), {}, {}, today(), 0);
    const MatriculaFeita feita = MatriculaTurma(turma, 0, rol);
    EXPECT_TRUE(feita.lotado);
    EXPECT_EQ(ResumoDaMatricula(turma, feita),
              QStringLiteral("O curso ficou sem vagas antes do fim da lista.\r"
                             "1 aluno matriculado, sem senha: Ana.\r"
                             "2 alunos não foram matriculados: Bia, Caio."));
}

// A disk that fills at the n-th write: each student takes three (the
// student's record, the first lesson record, the log's line). Who is in
// the student file and in the log is exactly what the summary says.
TEST_F(Matricula, AFailingWriteTellsWhoWasRegisteredWhoWasNotAndWhy)
{
    const QString ana = QStringLiteral("Ana");
    const QString bia = QStringLiteral("Bia");
    const QString caio = QStringLiteral("Caio");
    const struct {
        int escrita;
        QStringList matriculados;
        QStringList semAnotacao;
        QStringList naoMatriculados;
    } casos[] = {
        {1, {}, {}, {ana, bia, caio}},
        {2, {ana}, {ana}, {bia, caio}},  // the lesson record failed after the student's
        {3, {ana}, {ana}, {bia, caio}},  // the log's line failed
        {4, {ana}, {}, {bia, caio}},
        {6, {ana, bia}, {bia}, {caio}},
        {9, {ana, bia, caio}, {caio}, {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(testing::Message() << "the write that fails: " << caso.escrita);
        recomeca();
        const std::vector<LinhaDaTurma> turma = decidida("Ana\nBia\n;x\nCaio\n");
        fileseam::failOn(fileseam::Op::Write, ENOSPC, caso.escrita);
        const MatriculaFeita feita = MatriculaTurma(turma, 0, RolDoCurso());
        fileseam::clear();
        EXPECT_EQ(feita.falha, QStringLiteral("Disk full"));
        EXPECT_FALSE(feita.completa());
        EXPECT_EQ(feita.matriculados, caso.matriculados);
        EXPECT_EQ(feita.semAnotacao, caso.semAnotacao);
        EXPECT_EQ(feita.naoMatriculados, caso.naoMatriculados);
        EXPECT_TRUE(feita.incertos.isEmpty());
        EXPECT_EQ(nomesMatriculados(), caso.matriculados);
        QStringList anotados = caso.matriculados;
        for (const QString& nome : caso.semAnotacao)
            anotados.removeOne(nome);
        EXPECT_EQ(nomesAnotados(), anotados);
    }
    EXPECT_EQ(ResumoDaMatricula(LeListaDaTurma("Ana\nBia\n;x\nCaio\n"),
                                {{ana}, {ana}, {bia, caio}, {}, false, QStringLiteral("Disk full")}),
              QStringLiteral("A matrícula parou antes do fim da lista: Disk full.\r"
                             "1 aluno matriculado, sem senha: Ana.\r"
                             "Matriculado, mas fora do registro de alterações (ZORPAlteracoes20.txt): Ana.\r"
                             "2 alunos não foram matriculados: Bia, Caio.\r"
                             "1 linha da lista ficou de fora."));
}

// Every file call failing in turn, and a student file that cannot be read
// back after a failed write: the summary never says more than it knows.
TEST_F(Matricula, WhateverFailsTheSummaryIsTrue)
{
    using fileseam::Op;
    const QStringList lista{QStringLiteral("Ana"), QStringLiteral("Bia")};
    bool algumIncerto = false;
    for (const Op op : {Op::Create, Op::Open, Op::Lock, Op::Size, Op::Seek, Op::Read, Op::Write, Op::Sync, Op::Close}) {
        for (int vez = 1; vez <= 12; ++vez) {
            for (const bool leituraFalha : {false, true}) {
                SCOPED_TRACE(testing::Message() << "op " << int(op) << ", call " << vez << ", read back fails: "
                                                << leituraFalha);
                recomeca();
                const std::vector<LinhaDaTurma> turma = decidida("Ana\nBia\n");
                fileseam::failOn(op, EIO, vez);
                if (leituraFalha)
                    fileseam::failOn(op == Op::Open ? Op::Read : Op::Open, EIO, vez + 3);
                std::optional<MatriculaFeita> feita;
                const QString erro = errorOf([&] { feita = MatriculaTurma(turma, 0, RolDoCurso()); });
                fileseam::clear();
                if (!feita) {
                    // thrown before anyone was registered
                    EXPECT_EQ(nomesMatriculados(), QStringList()) << erro.toStdString();
                    continue;
                }
                algumIncerto = algumIncerto || !feita->incertos.isEmpty();
                EXPECT_EQ(feita->completa(), feita->falha.isEmpty());
                EXPECT_EQ(feita->matriculados + feita->incertos + feita->naoMatriculados, lista);
                const QStringList noArquivo = nomesMatriculados();
                for (const QString& nome : feita->matriculados)
                    EXPECT_TRUE(noArquivo.contains(nome)) << nome.toStdString();
                for (const QString& nome : feita->naoMatriculados)
                    EXPECT_FALSE(noArquivo.contains(nome)) << nome.toStdString();
                // a log that cannot be read back is told as missing the student
                const QStringList anotados = nomesAnotados();
                for (const QString& nome : feita->matriculados) {
                    if (!leituraFalha || !anotados.contains(nome)) {
                        EXPECT_EQ(anotados.contains(nome), !feita->semAnotacao.contains(nome)) << nome.toStdString();
                    }
                }
            }
        }
    }
    EXPECT_TRUE(algumIncerto);
}

class ArquivoDaTurma : public InTempDir {};

// The class list is a document the teacher picked anywhere: a link to it is
// followed; what is no file, or too large to be a list, or cannot be read,
// is refused in words that name it and say why.
TEST_F(ArquivoDaTurma, WhatCannotBeAClassListIsRefusedWithItsCause)
{
    writeFile(QStringLiteral("turma.csv"), "Ana\n");
    writeFile(QStringLiteral("cheia.csv"), QByteArray(1 << 20, 'a'));
    writeFile(QStringLiteral("grande.csv"), QByteArray((1 << 20) + 1, 'a'));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("pasta")));
    ASSERT_EQ(::mkfifo("fila.csv", 0600), 0);
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("Documentos")));
    writeFile(QStringLiteral("Documentos/8B.csv"), "Bia\n");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("Documentos/8B.csv")), QStringLiteral("atalho.csv")));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("apagada.csv")), QStringLiteral("quebrado.csv")));

    const struct {
        const char* arquivo;
        std::optional<fileseam::Op> falha;
        const char* erro;  // "%1" is the file; "" when it is read
        QByteArray conteudo;
    } casos[] = {
        {"turma.csv", {}, "", "Ana\n"},
        {"cheia.csv", {}, "", QByteArray(1 << 20, 'a')},
        {"atalho.csv", {}, "", "Bia\n"},
        {"grande.csv", {}, "O arquivo %1 é grande demais para uma lista de alunos", {}},
        {"pasta", {}, "%1 não é um arquivo de texto", {}},
        {"fila.csv", {}, "%1 não é um arquivo de texto", {}},
        {"nenhuma.csv", {}, "Não foi possível ler %1: o arquivo ou a pasta não existe", {}},
        {"quebrado.csv", {}, "Não foi possível ler %1: o arquivo ou a pasta não existe", {}},
        {"turma.csv", fileseam::Op::Open, "Não foi possível ler %1: permissão negada", {}},
        {"turma.csv", fileseam::Op::Read, "Não foi possível ler %1: erro de leitura ou gravação no disco", {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.arquivo);
        const QString arquivo = path(QString::fromUtf8(caso.arquivo));
        if (caso.falha)
            fileseam::failOn(*caso.falha, *caso.falha == fileseam::Op::Open ? EACCES : EIO);
        QByteArray lido;
        const QString erro = errorOf([&] { lido = LeArquivoDaTurma(arquivo); });
        fileseam::clear();
        if (*caso.erro == '\0') {
            EXPECT_EQ(erro, QStringLiteral("(no error)"));
            EXPECT_EQ(lido, caso.conteudo);
        } else {
            EXPECT_EQ(erro, QString::fromUtf8(caso.erro).arg(arquivo));
        }
    }
}

}  // namespace
