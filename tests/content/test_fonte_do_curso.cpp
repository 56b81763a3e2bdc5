// Reading and checking the course source: what the compiler refuses, with
// which message, and what it takes byte for byte.

#include "support/fixture.h"
#include "tools/fonte_do_curso.h"
#include "tools/largura_na_tela.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <string>

namespace {

// A sound exercise block of four source lines.
QByteArray block(int numero, const QByteArray& linhas = "linha asdf\n")
{
    return "exercício " + QByteArray::number(numero) + "\nexigidas 3\ninstrução Teste\n" + linhas;
}

struct Refused {
    const char* what;
    QByteArray source;
    QString message;
};

QByteArray manyExercises(int count)
{
    QByteArray source;
    for (int n = 1; n <= count; ++n)
        source += block(n);
    return source;
}

// Eight pixels a byte in a frame of 600: 75 bytes fill it exactly. An
// instruction takes a row of 15 pixels per 80 characters, 3 rows in its panel.
const MedidaNaTela kMedidaFalsa{[](const QByteArray& linha) { return int(linha.size()) * 8; }, 600,
                                [](const QString& instrucao) { return int((instrucao.size() + 79) / 80) * 15; }, 53};

// The first lines of chapter II of a novel, once asked six times in a row.
const QByteArray kQuatroLinhasLongas = "linha O meu fim evidente era atar as duas pontas da vida,\n"
                                       "linha e restaurar na velhice a adolesc\xC3\xAAncia. Pois, senhor,\n"
                                       "linha n\xC3\xA3o consegui recompor o que foi nem o que fui. Em tudo,\n"
                                       "linha se o rosto \xC3\xA9 igual, a fisionomia \xC3\xA9 diferente.\n";

const Refused kRefused[] = {
    {"line over 80 characters", block(1, "linha " + QByteArray(81, 'a') + "\n"),
     "curso.txt:4: exercício 1, linha 1: a linha tem 81 caracteres, mais que os 80 do campo de digitação"},
    {"line wider than its frame", block(2, "linha asdf\nlinha " + QByteArray(76, 'j') + "\n"),
     "curso.txt:5: exercício 2, linha 2: a linha ocupa 608 pixels na tela, mais que os 600 do seu quadro"},
    {"line starting with a blank", block(7, "linha asdf\nlinha  jklç\n"),
     "curso.txt:5: exercício 7, linha 2: a linha começa com um espaço, que o campo de digitação recusa"},
    {"two blanks in a row", block(1, "linha as  df\n"),
     "curso.txt:4: exercício 1, linha 1: a linha tem dois espaços seguidos, e o segundo vira \"_\" ao ser "
     "digitado"},
    {"semicolon", block(1, "linha faça;\n"),
     "curso.txt:4: exercício 1, linha 1: a linha tem \";\", que vira \"ç\" ao ser digitado"},
    {"character outside Windows-1252", block(1, "linha ĀB\n"),
     "curso.txt:4: exercício 1, linha 1: o caractere \"Ā\" (U+0100) não existe em Windows-1252"},
    {"character beyond 16 bits", block(1, "linha ab \xF0\x9F\x8E\xB9\n"),
     "curso.txt:4: exercício 1, linha 1: o caractere \"\xF0\x9F\x8E\xB9\" (U+1F3B9) não existe em Windows-1252"},
    {"tab", block(1, "linha as\tdf\n"),
     "curso.txt:4: exercício 1, linha 1: o caractere U+0009 não se vê ou não se digita"},
    {"no-break space", block(1, "linha as\xC2\xA0""df\n"),
     "curso.txt:4: exercício 1, linha 1: o caractere U+00A0 não se vê ou não se digita"},
    {"line after an empty one", block(3, "linha asdf\nlinha\nlinha jklç\n"),
     "curso.txt:6: exercício 3, linha 3: a linha vem depois da linha 2, que está vazia"},
    {"no line at all", block(1, ""), "curso.txt:1: exercício 1: o exercício não tem nenhuma linha"},
    {"only empty lines", block(1, "linha\nlinha \n"),
     "curso.txt:1: exercício 1: o exercício não tem nenhuma linha"},
    {"five lines", block(1, "linha aa\nlinha bb\nlinha cc\nlinha dd\nlinha ee\n"),
     "curso.txt:8: exercício 1, linha 5: mais de 4 linhas"},
    {"one-character line", block(1, "linha a\n"),
     "curso.txt:4: exercício 1, linha 1: uma linha de um só caractere volta do catálogo com um espaço a mais"},
    {"instruction over 250 characters with the sentence of the passes",
     "exercício 1\nexigidas 3\ninstrução " + QByteArray(208, 'a') + "ç\nlinha asdf\n",
     "curso.txt:3: exercício 1: a instrução tem 251 caracteres com \". Digite o bloco 3 vezes seguidas sem erro\" "
     "no fim, mais que 250"},
    {"musical instruction over 250 characters",
     "exercício 42\nexigidas 3\ninstrução " + QByteArray(250, 'a') + "ç\nlinha CDE\n",
     "curso.txt:3: exercício 42: a instrução tem 251 caracteres, mais que 250"},
    {"instruction taller than its panel",
     "exercício 42\nexigidas 3\ninstrução " + QByteArray(250, 'a') + "\nlinha CDE\n",
     "curso.txt:3: exercício 42: a instrução ocupa 60 pixels de altura na tela, mais que os 53 do seu quadro"},
    {"an exercise no learner passes", "exercício 39\nexigidas 6\ninstrução Teste\n" + kQuatroLinhasLongas,
     "curso.txt:1: exercício 39: passar o exercício custa em média 6422990204683 toques a quem acerta 98% deles, mais "
     "que os 2000 que um exercício pode pedir"},
    {"an exercise a beginner does not pass", "exercício 39\nexigidas 1\ninstrução Teste\n" + kQuatroLinhasLongas,
     "curso.txt:1: exercício 39: passar o exercício custa em média 5249 toques a quem acerta 98% deles, mais que "
     "os 2000 que um exercício pode pedir"},
    {"melodies beyond the musical keyboard's field",
     "exercício 42\nexigidas 255\ninstrução Teste\nlinha " + QByteArray(41, 'C') + "\nlinha " + QByteArray(40, 'D') + "\n",
     "curso.txt:1: exercício 42: as linhas somam 81 notas, mais que as 80 que o campo de digitação guarda: no "
     "teclado musical o ENTER não esvazia o campo"},
    {"instruction ending with a full stop", "exercício 1\nexigidas 3\ninstrução Tecle.\nlinha asdf\n",
     "curso.txt:3: exercício 1: a instrução termina com ponto final, e a tela já acrescenta \". Este exercício "
     "tem N toques\""},
    {"no instruction", "exercício 1\nexigidas 3\nlinha asdf\n", "curso.txt:1: exercício 1: falta \"instrução\""},
    {"lines required of 0", "exercício 1\nexigidas 0\ninstrução Teste\nlinha asdf\n",
     "curso.txt:2: exercício 1: 0 linhas exigidas: o exercício passaria sem nada certo"},
    {"lines required not a number", "exercício 1\nexigidas três\ninstrução Teste\nlinha asdf\n",
     "curso.txt:2: exercício 1: \"exigidas\" deve ser um número de 1 a 255"},
    {"no lines required", "exercício 1\ninstrução Teste\nlinha asdf\n",
     "curso.txt:1: exercício 1: falta \"exigidas\""},
    {"more than 100 exercises", manyExercises(101),
     "curso.txt:401: exercício 101: mais de 100 exercícios: o catálogo só tem 100 lugares"},
    {"number repeated", block(1) + block(1),
     "curso.txt:5: exercício 1: o número não é maior que o do exercício anterior (1)"},
    {"number falling", block(5) + block(4),
     "curso.txt:5: exercício 4: o número não é maior que o do exercício anterior (5)"},
    {"number 0", block(0), "curso.txt:1: exercício 0: o número do exercício deve ser de 1 a 255"},
    {"number over 255", block(256), "curso.txt:1: exercício 256: o número do exercício deve ser de 1 a 255"},
    {"unknown keyword", block(1, "linha asdf\nlinah jklç\n"),
     "curso.txt:5: exercício 1: palavra desconhecida \"linah\""},
    {"field before the first exercise", "linha asdf\n" + block(1),
     "curso.txt:1: \"linha\" antes do primeiro \"exercício\""},
    {"text that is not UTF-8", block(1, "linha fa\xE7""a\n"), "curso.txt:4: a linha não é UTF-8 válido"},
    {"section without a name", "seção\n" + block(1), "curso.txt:1: \"seção\" sem nome"},
    {"field after a section line", "exercício 1\nexigidas 3\nseção B\ninstrução Teste\nlinha asdf\n",
     "curso.txt:4: \"instrução\" depois de \"seção\", fora de um exercício: a seção encerra o exercício anterior"},
    {"section with no exercise", "seção A\n" + block(1) + "seção B\n",
     "curso.txt:6: a seção \"B\" não tem nenhum exercício"},
    {"two sections for one exercise", "seção A\nseção B\n" + block(1),
     "curso.txt:2: duas seções para o mesmo exercício: \"A\" (linha 1) e \"B\""},
    {"first exercise outside every section", block(1) + "seção B\n" + block(2),
     "curso.txt:5: a primeira seção vem depois do exercício 1, que fica sem seção: havendo seções, o primeiro "
     "exercício está numa delas"},
};

void PrintTo(const Refused& c, std::ostream* os)
{
    *os << c.what;
}

// A case's description as a test name: letters and digits, "_" for the rest.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.what;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

class RefusedCase : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedCase, NamesTheExerciseAndTheLine)
{
    const Refused& c = GetParam();
    const FonteDoCurso course = leCurso(c.source, "curso.txt", kMedidaFalsa);
    EXPECT_FALSE(course.ok());
    EXPECT_TRUE(course.errors.contains(c.message)) << c.what << "\nerrors:\n"
                                                   << course.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(FonteDoCurso, RefusedCase, ::testing::ValuesIn(kRefused), caseName<Refused>);

TEST(FonteDoCurso, ReportsEveryFaultOfTheFileAtOnce)
{
    const FonteDoCurso course =
        leCurso(block(1, "linha  asdf\n") + block(2) + block(3, "linha a;b\n"), "curso.txt");
    ASSERT_EQ(course.errors.size(), 2);
    EXPECT_TRUE(course.errors[0].startsWith("curso.txt:4: exercício 1, linha 1:"));
    EXPECT_TRUE(course.errors[1].startsWith("curso.txt:12: exercício 3, linha 1:"));
}

TEST(FonteDoCurso, TakesTheLimitsAndKeepsTextsByteForByte)
{
    const QByteArray longest(80, 'x');
    // with ". Digite o bloco uma vez sem erro", 250 characters
    const QByteArray instruction(216, 'i');
    const QByteArray musicalInstruction(249, 'm');
    const QByteArray source = "\xEF\xBB\xBF# comment\r\n"
                              "\r\n"
                              "exercício 1\r\n"
                              "instrução " + instruction + "é\r\n"
                              "exigidas 1\r\n"
                              "linha Ação, à vista: R$ 5!\r\n"
                              "linha " + longest + "\r\n"
                              "linha ab \r\n"
                              "linha\r\n"
                              "exercício 100\n"
                              "exigidas 255\n"
                              "instrução " + musicalInstruction + "ó\n"
                              "linha C D E\n";
    const FonteDoCurso course = leCurso(source, "curso.txt");
    ASSERT_TRUE(course.ok()) << course.errors.join('\n').toStdString();
    ASSERT_EQ(course.exercises.size(), 2);

    const ExercicioDoCurso& first = course.exercises[0];
    EXPECT_EQ(first.numero, 1);
    EXPECT_EQ(first.linhasExigidas, 1);
    EXPECT_EQ(first.instrucao, instruction + "\xE9. Digite o bloco uma vez sem erro");
    const QList<QByteArray> lines = {"A\xE7\xE3o, \xE0 vista: R$ 5!", longest, "ab "};
    EXPECT_EQ(first.linhas, lines);
    EXPECT_EQ(first.numToques(), 80);
    EXPECT_EQ(first.sourceLine, 3);

    // a musical exercise is never passed: any number of passes, and its instruction as written
    const ExercicioDoCurso& musical = course.exercises[1];
    EXPECT_EQ(musical.numero, 100);
    EXPECT_EQ(musical.linhasExigidas, 255);
    EXPECT_EQ(musical.instrucao, musicalInstruction + "\xF3");
    EXPECT_EQ(musical.numToques(), 5);
}

TEST(FonteDoCurso, ATypingExercisesInstructionSaysHowManyTimesToTypeTheBlock)
{
    const FonteDoCurso course = leCurso(block(1) + block(2).replace("exigidas 3", "exigidas 1"), "curso.txt");
    ASSERT_TRUE(course.ok()) << course.errors.join('\n').toStdString();
    EXPECT_EQ(course.exercises[0].instrucao, "Teste. Digite o bloco 3 vezes seguidas sem erro");
    EXPECT_EQ(course.exercises[1].instrucao, "Teste. Digite o bloco uma vez sem erro");
}

// What passing costs on average: each attempt up to its first wrong line,
// over the chance that an attempt gets through.
TEST(FonteDoCurso, ExpectedEffortCountsEveryAttemptUpToItsWrongLine)
{
    struct Case {
        const char* what;
        int exigidas;
        QList<QByteArray> linhas;
        double acerto;
        double esforco;
    };
    const Case cases[] = {
        {"never wrong: the keystrokes of the passes, ENTER included", 3, {"asdf", "jk"}, 1.0, 3 * (5 + 3)},
        {"one line, one character right half the time", 1, {"a"}, 0.5, 2 / 0.5},
        // an attempt costs 2, and 2 more when the first line was right
        {"two lines", 1, {"a", "b"}, 0.5, (2 + 0.5 * 2) / 0.25},
        {"two passes of one line cost as two lines", 2, {"a"}, 0.5, (2 + 0.5 * 2) / 0.25},
        {"a good learner on a short drill", 1, {"ab"}, 0.99, 3 / (0.99 * 0.99)},
        // the accent, then the letter: two keys to get right, and ENTER
        {"an accented letter is two keys", 1, {"\xE3"}, 0.5, 3 / 0.25},
        {"the cedilla has a key of its own", 1, {"\xE7"}, 0.5, 2 / 0.5},
    };
    for (const Case& c : cases) {
        ExercicioDoCurso exercise;
        exercise.numero = 1;
        exercise.linhasExigidas = c.exigidas;
        exercise.linhas = c.linhas;
        EXPECT_DOUBLE_EQ(esforcoEsperado(exercise, c.acerto), c.esforco) << c.what;
    }
}

TEST(FonteDoCurso, CountsTheKeysOfACharacterOnTheAbnt2Keyboard)
{
    struct Case {
        const char* what;
        char caractere;
        int toques;
    };
    const Case cases[] = {
        {"a letter", 'a', 1},
        {"a capital, SHIFT held", 'A', 1},
        {"the cedilla's own key", '\xE7', 1},
        {"the capital cedilla", '\xC7', 1},
        {"an acute accent and its vowel", '\xE9', 2},
        {"the grave accent of the crasis", '\xE0', 2},
        {"a circumflex on a capital", '\xC2', 2},
        {"a tilde", '\xF5', 2},
        {"the tilde alone, with the space bar", '~', 2},
        {"the circumflex alone", '^', 2},
        {"the grave accent alone", '`', 2},
        {"the degree sign, AltGr held", '\xB0', 1},
        {"the question mark", '?', 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toquesDoCaractere(c.caractere), c.toques) << c.what;
    EXPECT_EQ(toquesDaLinha("M\xE3o \xE0 obra!"), 13);
}

TEST(FonteDoCurso, TheEffortTableShowsBothAccuraciesAndTheWholeCourse)
{
    const FonteDoCurso course =
        leCurso(block(1) + block(2, "linha s\xC3\xA3o\n") + block(42, "linha CDE\n"), "curso.txt");
    ASSERT_TRUE(course.ok()) << course.errors.join('\n').toStdString();
    const auto figura = [](double esforco) { return QString::number(std::llround(esforco)); };
    const ExercicioDoCurso& primeiro = course.exercises[0];
    const ExercicioDoCurso& segundo = course.exercises[1];
    const QStringList rows = tabelaDeEsforco(course.exercises).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], "exercício  exigidas  toques por passagem  esforço esperado com 98% de acerto  esforço "
                       "esperado com 99% de acerto");
    // "asdf" and ENTER; "são" is four keys and ENTER
    EXPECT_EQ(rows[1].simplified(),
              "1 3 5 " + figura(esforcoEsperado(primeiro, 0.98)) + ' ' + figura(esforcoEsperado(primeiro, 0.99)));
    EXPECT_EQ(rows[2].simplified(),
              "2 3 5 " + figura(esforcoEsperado(segundo, 0.98)) + ' ' + figura(esforcoEsperado(segundo, 0.99)));
    EXPECT_EQ(rows[3].simplified(), "42 3 4 teclado musical teclado musical");
    // the notes are no typing: they count in neither figure
    EXPECT_EQ(rows[4].simplified(), "total " + figura(esforcoEsperado(primeiro, 0.98) + esforcoEsperado(segundo, 0.98)) +
                                        ' ' + figura(esforcoEsperado(primeiro, 0.99) + esforcoEsperado(segundo, 0.99)));
    EXPECT_EQ(rows[5].simplified(), "maior " + figura(esforcoEsperado(segundo, 0.98)) + ' ' +
                                        figura(esforcoEsperado(segundo, 0.99)));
}

// A course of a few small exercises, each asked three times.
QByteArray course(const QList<QByteArray>& linhas, int primeiro = 1)
{
    QByteArray source;
    for (qsizetype i = 0; i < linhas.size(); ++i)
        source += block(primeiro + int(i), "linha " + linhas[i] + "\n");
    return source;
}

struct CourseRule {
    const char* what;
    QByteArray source;
    QString message;  // empty: the course is taken
};

const QByteArray kSetentaAs = "linha " + QByteArray(70, 'a') + "\n";

// The exercise of seventy a's asked twice, n times over.
QByteArray exerciciosDeSetentaAs(int n)
{
    QByteArray source;
    for (int numero = 1; numero <= n; ++numero)
        source += "exercício " + QByteArray::number(numero) + "\nexigidas 2\ninstrução Teste\n" + kSetentaAs;
    return source;
}

const CourseRule kCourseRules[] = {
    {"eight new characters, the space one of them", course({"asdf jkl", "asdf jkl", "jkl asdf"}), {}},
    {"nine new characters", course({"asdf ghjk", "asdf ghjk", "asdf ghjk"}),
     "curso.txt:1: exercício 1: 9 caracteres novos, mais que os 8 que um exercício pode trazer: \"a\" \"s\" \"d\" "
     "\"f\" \" \" \"g\" \"h\" \"j\" \"k\""},
    {"the capitals of known letters are new",
     course({"asdf jkl", "asdf gh jkl", "asdfgh jkl", "ASDFG HJKL", "ASDFG HJKL", "ASDFG HJKL"}),
     "curso.txt:13: exercício 4: 9 caracteres novos, mais que os 8 que um exercício pode trazer: \"A\" \"S\" \"D\" "
     "\"F\" \"G\" \"H\" \"J\" \"K\" \"L\""},
    {"every character in three exercises", course({"asdf", "fdsa", "sdfa"}), {}},
    {"characters in fewer than three exercises", course({"asdf", "asdf", "asdf", "asdf jk", "jk asdf"}),
     "curso.txt:13: exercício 4: caracteres que aparecem nas linhas de menos de 3 exercícios: \" \" em 2, \"j\" em "
     "2, \"k\" em 2"},
    {"a character that comes once", course({"asdf", "asdf", "asdf\xC2\xA7"}),
     "curso.txt:9: exercício 3: caracteres que aparecem nas linhas de menos de 3 exercícios: \"\xC2\xA7\" em 1"},
    // the melodies bring notes, not keys to learn
    {"the notes of the musical keyboard", course({"asdf", "asdf", "asdf"}) + course({"CDEFGAB cdefgab"}, 42), {}},
    {"a course a beginner finishes", exerciciosDeSetentaAs(26), {}},
    {"a course beyond a beginner",
     exerciciosDeSetentaAs(27),
     "curso.txt: o curso inteiro custa em média 40317 toques a quem acerta 98% deles, mais que os 40000 que o curso "
     "pode pedir"},
};

void PrintTo(const CourseRule& c, std::ostream* os)
{
    *os << c.what;
}

class CourseRuleCase : public ::testing::TestWithParam<CourseRule> {};

TEST_P(CourseRuleCase, RefusesACourseThatBreaksARuleOfTheWhole)
{
    const CourseRule& c = GetParam();
    const FonteDoCurso parsed = leCurso(c.source, "curso.txt");
    ASSERT_TRUE(parsed.ok()) << parsed.errors.join('\n').toStdString();
    const QStringList problemas = problemasDoCurso(parsed.exercises, "curso.txt");
    if (c.message.isEmpty())
        EXPECT_TRUE(problemas.isEmpty()) << problemas.join('\n').toStdString();
    else
        EXPECT_TRUE(problemas.contains(c.message)) << "problems:\n" << problemas.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(FonteDoCurso, CourseRuleCase, ::testing::ValuesIn(kCourseRules), caseName<CourseRule>);

TEST(FonteDoCurso, MeasuresTheWindows1252BytesAndTakesALineThatFillsItsFrame)
{
    // 75 characters but 150 bytes of UTF-8, typed once: three times is beyond a beginner
    const QByteArray cedilhas = QString(75, QChar(0xE7)).toUtf8();
    const FonteDoCurso course = leCurso(
        block(1, "linha " + cedilhas + "\n").replace("exigidas 3", "exigidas 1"), "curso.txt", kMedidaFalsa);
    ASSERT_TRUE(course.ok()) << course.errors.join('\n').toStdString();
    EXPECT_EQ(course.exercises[0].linhas, QList<QByteArray>{QByteArray(75, '\xE7')});
}

TEST(FonteDoCurso, TheScreenFontRefusesAWideLineAndATallInstructionAndTakesATypicalLine)
{
    const MedidaNaTela naTela = medidaNaTela();
    EXPECT_TRUE(leCurso(block(1, "linha asdf jklç asdf jklç\n"), "curso.txt", naTela).ok());

    const FonteDoCurso wide =
        leCurso(block(1, "linha " + QByteArray(80, 'W') + "\n"), "curso.txt", naTela);
    ASSERT_EQ(wide.errors.size(), 1);
    const QString message = wide.errors[0];
    EXPECT_TRUE(message.startsWith("curso.txt:4: exercício 1, linha 1: a linha ocupa ")) << message.toStdString();
    EXPECT_TRUE(message.endsWith(" pixels na tela, mais que os 600 do seu quadro")) << message.toStdString();

    const QByteArray tall = "exercício 42\nexigidas 1\ninstrução " + QByteArray("Wm ").repeated(68) + "\nlinha CDE\n";
    const FonteDoCurso refused = leCurso(tall, "curso.txt", naTela);
    ASSERT_EQ(refused.errors.size(), 1);
    EXPECT_TRUE(refused.errors[0].startsWith("curso.txt:3: exercício 42: a instrução ocupa "))
        << refused.errors[0].toStdString();
    EXPECT_TRUE(refused.errors[0].endsWith(" pixels de altura na tela, mais que os 53 do seu quadro"))
        << refused.errors[0].toStdString();
}

TEST(FonteDoCurso, ASectionRunsFromTheNextExerciseToTheNextSection)
{
    const QByteArray source = "seção Carreira-base\n" + block(1) + block(2) + "# Números\nseção Números\n\n" + block(5);
    const FonteDoCurso course = leCurso(source, "curso.txt");
    ASSERT_TRUE(course.ok()) << course.errors.join('\n').toStdString();
    ASSERT_EQ(course.exercises.size(), 3);
    EXPECT_EQ(course.exercises[1].linhas, QList<QByteArray>{"asdf"}) << "a section between blocks takes nothing";
    ASSERT_EQ(course.sections.size(), 2);
    EXPECT_EQ(course.sections[1].primeiroExercicio, 5);
    EXPECT_EQ(course.sections[1].nome, "Números");
    EXPECT_EQ(course.sections[1].sourceLine, 11);
    EXPECT_EQ(textoDasSecoes(course.sections), "1\tCarreira-base\n5\tN\xC3\xBAmeros\n");
}

TEST(FonteDoCurso, TakesAHundredExercises)
{
    const FonteDoCurso course = leCurso(manyExercises(100), "curso.txt");
    EXPECT_TRUE(course.ok());
    EXPECT_EQ(course.exercises.size(), 100);
}

}  // namespace
