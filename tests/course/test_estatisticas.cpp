// The key statistics: lines judged, kept in their file, and read back into
// one figure per character of a student.

#include "fixture_aula.h"

#include "course/estatisticas.h"
#include "data/text.h"
#include "data/toques.h"
#include "platform/clock.h"
#include "support/rawrecords.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTest>
#include <vector>

using namespace estatisticas;

namespace {

constexpr double kDia = 24.0 * 60 * 60 * 1000;

// A line as the field took it: the keystrokes' times apart, in ms.
struct Linha {
    QByteArray pedida;
    QByteArray digitada;
    std::vector<int> intervalos;  // one fewer than the characters typed
};

// One sitting of one student: its lines, one record each character.
struct Sessao {
    std::int32_t aluno;
    std::vector<Linha> linhas;
};

struct Esperado {
    char caractere;
    std::uint64_t esperadas;
    std::uint64_t erradas;
    std::uint64_t cronometradas;
    std::uint64_t milissegundos;
};

struct Historia {
    const char* nome;
    std::vector<Sessao> sessoes;
    int fragmento;  // bytes of a record cut at the end of the file
    std::vector<Esperado> doAluno7;
};

std::vector<double> momentos(const Linha& linha)
{
    std::vector<double> lista{0.4};
    for (const int ms : linha.intervalos)
        lista.push_back(lista.back() + ms / kDia);
    lista.resize(size_t(linha.digitada.size()), lista.back());
    return lista;
}

void grava(const std::vector<Sessao>& sessoes)
{
    double momento = 46000.25;
    for (const Sessao& sessao : sessoes) {
        ContagemDaSessao contagem;
        for (const Linha& linha : sessao.linhas)
            contagem.contaLinha(linha.pedida, linha.digitada, momentos(linha));
        GravaToques(contagem.registros(sessao.aluno, momento, OrigemDoToque::Curso));
        momento += 0.01;
    }
}

const std::vector<Historia> kHistorias = {
    {"a wrong line: each character asked for and not typed there is one error",
     {{7, {{"casa", "cada", {200, 300, 400}}}}},
     0,
     {{'a', 2, 0, 2, 600}, {'c', 1, 0, 0, 0}, {'s', 1, 1, 1, 300}}},
    {"a line cut short: the characters not typed are wrong and untimed",
     {{7, {{"abc", "ab", {250}}}}},
     0,
     {{'a', 1, 0, 0, 0}, {'b', 1, 0, 1, 250}, {'c', 1, 1, 0, 0}}},
    {"typed past the line's end: only the line's characters count",
     {{7, {{"ab", "abxy", {100, 100, 100}}}}},
     0,
     {{'a', 1, 0, 0, 0}, {'b', 1, 0, 1, 100}}},
    {"a dead-key letter is one character, timed from the keystroke before it",
     {{7, {{"m\xE3o", "m\xE3o", {900, 250}}}}},
     0,
     {{'m', 1, 0, 0, 0}, {'\xE3', 1, 0, 1, 900}, {'o', 1, 0, 1, 250}}},
    {"a pause over five seconds is left out of the key times",
     {{7, {{"abc", "abc", {10000, 120}}}}},
     0,
     {{'a', 1, 0, 0, 0}, {'b', 1, 0, 0, 0}, {'c', 1, 0, 1, 120}}},
    {"a student with no records has no figures", {{8, {{"abc", "abc", {100, 100}}}}}, 0, {}},
    {"records of other students in between go to them",
     {{7, {{"ab", "ab", {300}}}}, {8, {{"ab", "xx", {50}}}}, {7, {{"ab", "aa", {500}}}}},
     0,
     {{'a', 2, 0, 0, 0}, {'b', 2, 1, 2, 800}}},
    {"a record cut at the end of the file is not read",
     {{7, {{"ab", "ab", {300}}}}},
     20,
     {{'a', 1, 0, 0, 0}, {'b', 1, 0, 1, 300}}},
};

void PrintTo(const Historia& historia, std::ostream* os)
{
    *os << historia.nome;
}

class Estatisticas : public InTempDir, public ::testing::WithParamInterface<Historia> {};

TEST_P(Estatisticas, EachCharacterOfTheStudentAddsUpItsLines)
{
    const Historia& historia = GetParam();
    grava(historia.sessoes);
    if (historia.fragmento > 0) {
        QFile arquivo(kArquivoToques);
        ASSERT_TRUE(arquivo.open(QIODevice::Append));
        arquivo.write(QByteArray(historia.fragmento, '\x7F'));
    }

    const TeclasDoAluno teclas = TeclasDosAlunos({7}).front();

    std::vector<char> conhecidas;
    for (const Esperado& e : historia.doAluno7) {
        SCOPED_TRACE(QByteArray(1, e.caractere).toHex().toStdString());
        const FigurasDoCaractere f = teclas.figuras(e.caractere);
        EXPECT_EQ(f.esperadas, e.esperadas);
        EXPECT_EQ(f.erradas, e.erradas);
        EXPECT_EQ(f.cronometradas, e.cronometradas);
        EXPECT_EQ(f.milissegundos, e.milissegundos);
        conhecidas.push_back(e.caractere);
    }
    std::sort(conhecidas.begin(), conhecidas.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    EXPECT_EQ(teclas.conhecidas(), conhecidas);
}

INSTANTIATE_TEST_SUITE_P(Historias, Estatisticas, ::testing::ValuesIn(kHistorias),
                         [](const ::testing::TestParamInfo<Historia>& info) {
                             return "historia" + std::to_string(info.index);
                         });

TEST_F(InTempDir, AFolderWithoutTheStatisticsFileHasNoFigures)
{
    const std::vector<TeclasDoAluno> alunos = TeclasDosAlunos({1, 2});
    ASSERT_EQ(alunos.size(), 2u);
    EXPECT_TRUE(alunos[0].conhecidas().empty());
    EXPECT_FALSE(QFile::exists(kArquivoToques));
}

// A record from a damaged file counts only what could be true.
TEST_F(InTempDir, ADamagedRecordCannotClaimMoreErrorsOrTimeThanKeystrokes)
{
    tToque registro{};
    registro.CodAluno = 7;
    registro.Caractere = 'k';
    registro.Esperadas = 3;
    registro.Erradas = 900;
    registro.Cronometradas = 800;
    registro.Milissegundos = 4000000000u;
    GravaToques({registro});

    const FigurasDoCaractere f = TeclasDosAlunos({7}).front().figuras('k');
    EXPECT_EQ(f.erradas, 3u);
    EXPECT_EQ(f.cronometradas, 3u);
    EXPECT_EQ(f.milissegundos, 3 * std::uint64_t(kPausaMaximaMs));
    EXPECT_DOUBLE_EQ(f.taxaDeErro(), 1.0);
}

// Figures of one character over sittings, each sitting one record.
TeclasDoAluno sessoes(const std::vector<tToque>& registros)
{
    TeclasDoAluno teclas;
    double momento = 100;
    for (tToque r : registros) {
        r.Sessao = momento++;
        teclas.soma(r);
    }
    return teclas;
}

TEST(Confianca, CombinesAccuracyAndSpeedAgainstTheTarget)
{
    const double alvoMs = 60000 / kAlvoTm;
    struct Caso {
        tToque registro;
        double confianca;
    } casos[] = {
        {storedKeyCount('a', 100, 0, std::uint32_t(alvoMs)), 1.0},
        {storedKeyCount('a', 100, 0, std::uint32_t(alvoMs / 2)), 1.0},  // faster than the target is no surer
        {storedKeyCount('a', 100, 0, std::uint32_t(alvoMs * 2)), 0.5},
        {storedKeyCount('a', 100, 10, std::uint32_t(alvoMs)), 0.9 * 0.9 * 0.9 * 0.9},
        {storedKeyCount('a', 100, 10, std::uint32_t(alvoMs * 2)), 0.5 * 0.9 * 0.9 * 0.9 * 0.9},
    };
    for (const Caso& caso : casos)
        EXPECT_NEAR(sessoes({caso.registro}).figuras('a').confianca(), caso.confianca, 1e-9);
}

// Each sitting weighs half of the one after it: a student who had one bad
// sitting is back within five ordinary ones.
TEST(Confianca, OneBadSittingFadesWithinFiveOrdinaryOnes)
{
    const tToque comum = storedKeyCount('c', 60, 1, 420);
    std::vector<tToque> historia(10, comum);
    const double antes = sessoes(historia).figuras('c').confianca();

    historia.push_back(storedKeyCount('c', 60, 30, 1500));
    const double depoisDoTropeco = sessoes(historia).figuras('c').confianca();
    EXPECT_LT(depoisDoTropeco, antes / 2);

    for (int i = 0; i < 5; ++i)
        historia.push_back(comum);
    EXPECT_GE(sessoes(historia).figuras('c').confianca(), 0.9 * antes);
}

TEST(TeclasATreinar, TheFiveLeastSureAmongThoseTypedTwentyTimesWorstFirst)
{
    std::vector<tToque> registros = {
        storedKeyCount('a', 40, 0, 300),   storedKeyCount('b', 40, 8, 300),
        storedKeyCount('c', 40, 0, 900),   storedKeyCount('d', 40, 4, 300),
        storedKeyCount('e', 40, 0, 500),   storedKeyCount('f', 40, 0, 700),
        storedKeyCount('g', 19, 19, 2000),  // too few to tell
        storedKeyCount(' ', 40, 20, 2000),  // the blank is no key to train
        storedKeyCount('\xE7', 40, 12, 600),
    };
    TeclasDoAluno teclas;
    for (tToque& r : registros) {
        r.Sessao = 1;
        teclas.soma(r);
    }
    EXPECT_EQ(TextoDasTeclasATreinar(teclas), QStringLiteral("ç b c f d"));
}

// A damaged statistics file may count a character no keyboard types: it
// never shows among the keys to train, however badly it scores, while the
// punctuation a line asks for does.
TEST(TeclasATreinar, ACharacterNoKeyboardTypesIsNoKeyToTrain)
{
    struct Caso {
        char caractere;
        bool treinavel;
    };
    const Caso casos[] = {
        {'\0', false},   {'\n', false},   {'\r', false},   {'\t', false}, {'\x1B', false},
        {'\x7F', false}, {'\x81', false}, {'\xA0', false},  // a no-break space is a blank
        {'\xAD', false},                                    // a soft hyphen is never drawn
        {';', true},     {'"', true},     {'\xE7', true},    {'\x80', true},  // the euro sign
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(int(static_cast<unsigned char>(caso.caractere)));
        TeclasDoAluno teclas;
        for (tToque r : {storedKeyCount('a', 40, 0, 300), storedKeyCount(caso.caractere, 40, 40, 3000)}) {
            r.Sessao = 1;
            teclas.soma(r);
        }
        const QString esperado = caso.treinavel ? fromCp1252(QByteArrayView(&caso.caractere, 1)) + QStringLiteral(" a")
                                                : QStringLiteral("a");
        EXPECT_EQ(TextoDasTeclasATreinar(teclas), esperado);
    }
}

// A lesson on the exercise screen keeps what it counted when an exercise is
// passed and when the screen closes: at most the line being typed is lost.
TEST_F(Aula, TheLessonKeepsItsKeyStatisticsAtEachPassAndAtTheClose)
{
    Exercicios[2] = umExercicio(2, {"abc"});
    abre(umExercicio(1, {"m\xE3o"}, 1));
    clockseam::set(as(10));
    digita(QStringLiteral("m"));
    clockseam::set(as(10, 0, 0, 700));
    // the dead key, then the letter an input method composes
    QTest::sendKeyEvent(QTest::Release, comFoco(), Qt::Key_Dead_Tilde, QString(), Qt::NoModifier);
    QInputMethodEvent composto;
    composto.setCommitString(QStringLiteral("ã"));
    QApplication::sendEvent(comFoco(), &composto);
    clockseam::set(as(10, 0, 1));
    digita(QStringLiteral("o"));
    enter();
    ASSERT_EQ(ExercicioAtual.Numero, 2);

    TeclasDoAluno teclas = TeclasDosAlunos({7}).front();
    EXPECT_EQ(teclas.conhecidas(), (std::vector<char>{'m', 'o', '\xE3'}));
    EXPECT_EQ(teclas.figuras('\xE3').milissegundos, 700u);
    EXPECT_EQ(teclas.figuras('o').milissegundos, 300u);

    linha(QStringLiteral("abd"));
    digita(QStringLiteral("ab"));  // the line under way when the screen closes
    EXPECT_EQ(TeclasDosAlunos({7}).front().figuras('c').esperadas, 0u);
    fecha();

    teclas = TeclasDosAlunos({7}).front();
    EXPECT_EQ(teclas.figuras('c').esperadas, 1u);
    EXPECT_EQ(teclas.figuras('c').erradas, 1u);
    EXPECT_EQ(teclas.figuras('a').esperadas, 1u);
    EXPECT_EQ(teclas.figuras('\xE3').esperadas, 1u);
}

}  // namespace
