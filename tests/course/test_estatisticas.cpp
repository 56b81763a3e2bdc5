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
    {"an ENTER before the line's end: the characters never reached are not counted",
     {{7, {{"abc", "ab", {250}}}}},
     0,
     {{'a', 1, 0, 0, 0}, {'b', 1, 0, 1, 250}}},
    {"a key left out: one error, the keys after it right and timed from the key before",
     {{7, {{"casa", "csa", {200, 300}}}}},
     0,
     {{'a', 2, 1, 1, 300}, {'c', 1, 0, 0, 0}, {'s', 1, 0, 1, 200}}},
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

// A typed line set against the line asked for: which characters asked for
// are wrong ('x' under each), and how far the typing reached.
struct CasoDeAlinhamento {
    const char* nome;
    QByteArray pedida;
    QByteArray digitada;
    QByteArray erradas;  // 'x' under each wrong character, '.' under a right one, up to the last reached
    std::vector<qsizetype> teclas;  // the key that stood for each reached character, -1 for none
};

void PrintTo(const CasoDeAlinhamento& caso, std::ostream* os)
{
    *os << caso.nome;
}

QByteArray linhaDe80()
{
    return QByteArray("asdf jkl\xE7 ").repeated(8);
}

const std::vector<CasoDeAlinhamento> kAlinhamentos = {
    {"right", "asdf", "asdf", "....", {0, 1, 2, 3}},
    {"the first key left out", "asdf fdsa asdf fdsa", "sdf fdsa asdf fdsa", "x..................",
     {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
    {"a key left out mid-line", "sapo pato", "sapo pto", "......x..", {0, 1, 2, 3, 4, 5, -1, 6, 7}},
    {"a key doubled: the second one, against the character after it", "asdf", "assdf", "..x.", {0, 1, 3, 4}},
    {"two keys swapped: both replaced", "sapo", "spao", ".xx.", {0, 1, 2, 3}},
    {"a key replaced", "casa", "cada", "..x.", {0, 1, 2, 3}},
    {"ENTER early: the rest is not reached", "sapo pato", "sap", "...", {0, 1, 2}},
    {"ENTER early after a wrong key: the wrong key is a key replaced", "sapo pato", "sapx", "...x", {0, 1, 2, 3}},
    {"keys past the line's end stood where ENTER was asked for", "ab", "abxy", "..", {0, 1}},
    {"a dead-key letter is one character", "m\xE3o", "mao", ".x.", {0, 1, 2}},
    {"nothing alike", "abc", "xyz", "xxx", {0, 1, 2}},
    {"nothing typed", "abc", "", "", {}},
    {"a line of 80 with a key left out at its start", linhaDe80(), linhaDe80().mid(1),
     "x" + QByteArray(79, '.'), {}},
    {"a line of 80 with nothing alike", linhaDe80(), QByteArray(80, '-'), QByteArray(80, 'x'), {}},
    {"ten keys added before the line", "abc", "xxxxxxxxxxabc", "x..", {10, 11, 12}},
    {"nine keys left out mid-line", "abcdefghijklmnopqrstuvwxyz", "abcmnopqrstuvwxyz",
     "..." + QByteArray(9, 'x') + QByteArray(14, '.'),
     {0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
};

class Alinhamentos : public ::testing::TestWithParam<CasoDeAlinhamento> {};

TEST_P(Alinhamentos, EachMistakeCountsOnceAgainstTheCharacterAskedForThere)
{
    const CasoDeAlinhamento& caso = GetParam();
    const Alinhamento alinhamento = Alinha(caso.pedida, caso.digitada);
    QByteArray erradas;
    for (const bool errada : alinhamento.errada)
        erradas += errada ? 'x' : '.';
    EXPECT_EQ(erradas, caso.erradas);
    EXPECT_EQ(alinhamento.alcancadas, caso.erradas.size());
    EXPECT_EQ(alinhamento.erros(), caso.erradas.count('x'));
    if (!caso.teclas.empty()) {
        EXPECT_EQ(alinhamento.digitada, caso.teclas);
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, Alinhamentos, ::testing::ValuesIn(kAlinhamentos),
                         [](const ::testing::TestParamInfo<CasoDeAlinhamento>& info) {
                             return "caso" + std::to_string(info.index);
                         });

TEST(ContagemDaSessao, ASkippedKeyIsOneErrorOfItsCharacterAndNoneOfTheOthers)
{
    const QByteArray pedida = "asdf fdsa asdf fdsa";
    const QByteArray digitada = pedida.mid(1);
    ContagemDaSessao contagem;
    contagem.contaLinha(pedida, digitada, std::vector<double>(size_t(digitada.size()), 0.4));
    EXPECT_EQ(contagem.de('a').esperadas, 4u);
    EXPECT_EQ(contagem.de('a').erradas, 1u);
    for (const char c : QByteArray("sdf "))
        EXPECT_EQ(contagem.de(c).erradas, 0u) << c;
}

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
