// A stored student corrected in place: only the fields corrected change, the
// record keeps its key, its number and every other byte, and nothing else in
// the folder moves.

#include "data/datafiles.h"
#include "data/scrambling.h"
#include "data/text.h"
#include "records_builder.h"
#include "support/fixture.h"

#include <cstring>

namespace {

const QString kStudents = kArquivoAlunos;
const QString kLessons = kArquivoAulas;
// a key of its own for the student corrected: shift +1 (position 6 even, position 7 names position 1)
const QByteArray kOutraChave = QByteArrayLiteral("1bcde413Ab");

// What another program may have left in a record: bytes after the texts and
// in the reserved places, which nothing of ours writes but all must keep.
tAluno withLeftovers(tAluno aluno)
{
    std::memset(aluno.reservado2, 0x5A, sizeof aluno.reservado2);
    std::memset(aluno.reservado3, 0xA5, sizeof aluno.reservado3);
    aluno.Nome.chars[39] = 'x';
    aluno.EMail.chars[99] = 'y';
    aluno.DataNasc = 36525.75;
    return aluno;
}

class Regrava : public InTempDir {
protected:
    void SetUp() override
    {
        InTempDir::SetUp();
        prepara();
    }

    void prepara()
    {
        turma = {rawAluno(1, "Ana"), withLeftovers(rawAluno(2, "Bia Sousa", "segredo", kOutraChave)),
                 rawAluno(3, "Caio")};
        writeFile(kStudents, bytesOf(turma) + "fragment");
        writeFile(kLessons, bytesOf(std::vector{aula(1, 0), aula(2, 4), aula(3, 7)}));
        NumAlunos = 0;
    }

    std::vector<tAluno> turma;
};

struct Caso {
    const char* nome;
    CorrecaoAluno correcao;
    const char* nomeLido;   // the roster's name afterwards
    const char* senhaLida;  // the roster's password afterwards
    const char* emailLido;
    const char* periodoLido;
};

TEST_F(Regrava, OnlyTheFieldsCorrectedChangeAndNothingElseInTheFolder)
{
    const Caso casos[] = {
        {"name", {.nome = QStringLiteral("Bia Souza")}, "Bia Souza", "segredo", "", "1"},
        {"accented name", {.nome = QStringLiteral("Bia Conceição")}, "Bia Conceição", "segredo", "", "1"},
        {"name longer than the field", {.nome = QString(45, u'n')}, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn", "segredo",
         "", "1"},
        {"e-mail", {.email = QStringLiteral("bia@escola.br")}, "Bia Sousa", "segredo", "bia@escola.br", "1"},
        {"password cleared", {.senha = QString()}, "Bia Sousa", "", "", "1"},
        {"new password", {.senha = QStringLiteral("nova12")}, "Bia Sousa", "nova12", "", "1"},
        {"period", {.periodo = 0}, "Bia Sousa", "segredo", "", "0"},
        {"everything at once",
         {.nome = QStringLiteral("Beatriz"), .email = QStringLiteral("b@x.br"), .senha = QString(), .periodo = 2},
         "Beatriz", "", "b@x.br", "2"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        prepara();
        const QByteArray lessons = readFile(kLessons);

        RegravaAluno(2, caso.correcao);

        // the record as it was, with only the corrected fields stored anew
        tAluno esperado = turma[1];
        const CorrecaoAluno& c = caso.correcao;
        if (c.nome)
            esperado.Nome.set(Embaralha(toCp1252(*c.nome), kOutraChave));
        if (c.email)
            esperado.EMail.set(Embaralha(toCp1252(*c.email), kOutraChave));
        if (c.senha)
            esperado.Senha.set(Embaralha(c.senha->isEmpty() ? QByteArray("==") : toCp1252(*c.senha), kOutraChave));
        if (c.periodo)
            esperado.Periodo.set(QByteArray::number(*c.periodo));
        EXPECT_EQ(readFile(kStudents), bytesOf(std::vector{turma[0], esperado, turma[2]}) + "fragment");
        EXPECT_EQ(readFile(kLessons), lessons);
        EXPECT_EQ(QDir().entryList(QDir::Files), (QStringList{kStudents, kLessons}));

        // the roster read next shows the correction
        NumAlunos = CarregaAlunos();
        ASSERT_EQ(NumAlunos, 3);
        EXPECT_EQ(ListaAlunos[2].Codigo, 2);
        EXPECT_EQ(fromCp1252(ListaAlunos[2].Nome.bytes()), QString::fromUtf8(caso.nomeLido));
        EXPECT_EQ(fromCp1252(ListaAlunos[2].Senha.bytes()), QString::fromUtf8(caso.senhaLida));
        EXPECT_EQ(fromCp1252(ListaAlunos[2].EMail.bytes()), QString::fromUtf8(caso.emailLido));
        EXPECT_EQ(ListaAlunos[2].Periodo.bytes(), QByteArray(caso.periodoLido));
    }
}

TEST_F(Regrava, AStudentNotInTheFileIsToldAndNothingIsWritten)
{
    const QByteArray before = readFile(kStudents);
    const QString erro = errorOf([] { RegravaAluno(9, {.nome = QStringLiteral("Nove")}); });
    EXPECT_TRUE(erro.startsWith(QStringLiteral("O aluno de código 9 não está no arquivo "))) << erro.toStdString();
    EXPECT_TRUE(erro.endsWith(kStudents)) << erro.toStdString();
    EXPECT_EQ(readFile(kStudents), before);
}

// A number held twice (a damaged file) is the first holder's, as its lessons are.
TEST_F(Regrava, ANumberHeldTwiceCorrectsItsFirstHolder)
{
    writeFile(kStudents, bytesOf(std::vector{rawAluno(1, "Ana"), rawAluno(2, "Bia"), rawAluno(2, "Bia de novo")}));
    RegravaAluno(2, {.nome = QStringLiteral("Beatriz")});
    CarregaAlunos();
    EXPECT_EQ(fromCp1252(ListaAlunos[2].Nome.bytes()), QStringLiteral("Beatriz"));
    EXPECT_EQ(fromCp1252(ListaAlunos[3].Nome.bytes()), QStringLiteral("Bia de novo"));
}

// A key whose shift is no digit cannot scramble the correction: the record
// stays as it was.
TEST_F(Regrava, ARecordWhoseKeyCannotScrambleStaysAsItWas)
{
    writeFile(kStudents, bytesOf(std::vector{rawAluno(1, "Ana")}));
    QByteArray bytes = readFile(kStudents);
    bytes[6] = 'x';  // position 6 of the key: its direction digit
    writeFile(kStudents, bytes);
    EXPECT_EQ(errorOf([] { RegravaAluno(1, {.nome = QStringLiteral("Ana Maria")}); }),
              QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(readFile(kStudents), bytes);
}

}  // namespace
