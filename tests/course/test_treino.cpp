// The practice: the lines it makes for a student, what it keeps of their
// typing, and its screen driven with real keys.

#include "fixture_aula.h"

#include "course/treino.h"
#include "course/uTreino.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"
#include "ui/dialogs.h"
#include "ui/tecladonatela.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QAccessible>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace treino;

namespace {

// The words the build made for the practice.
const std::vector<QByteArray>& palavras()
{
    static const std::vector<QByteArray> lista = [] {
        QFile arquivo(QStringLiteral(QUIRAVO_PALAVRAS));
        EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly));
        std::vector<QByteArray> todas;
        for (const QByteArray& linha : arquivo.readAll().split('\n')) {
            if (!linha.isEmpty())
                todas.push_back(toCp1252(QString::fromUtf8(linha)));
        }
        return todas;
    }();
    return lista;
}

Ensinados ensinados(const QByteArray& caracteres)
{
    Ensinados e{};
    for (const char c : caracteres)
        e[static_cast<unsigned char>(c)] = true;
    return e;
}

// A student who typed each character 100 times at the target speed, with
// the errors given.
estatisticas::TeclasDoAluno aluno(const QByteArray& caracteres, const std::map<char, std::uint32_t>& erros = {})
{
    estatisticas::TeclasDoAluno teclas;
    for (const char c : caracteres) {
        tToque r{};
        r.Caractere = std::uint8_t(c);
        r.Esperadas = r.Cronometradas = 100;
        r.Erradas = erros.contains(c) ? erros.at(c) : 0;
        r.Milissegundos = 100 * 400;
        teclas.soma(r);
    }
    return teclas;
}

// How often each character comes in n lines, blanks left out, and their total.
struct Contagem {
    std::map<char, int> vezes;
    int total = 0;
    double parte(char c) const { return total ? double(vezes.count(c) ? vezes.at(c) : 0) / total : 0; }
};

Contagem conta(GeradorDeLinhas& gerador, int linhas)
{
    Contagem contagem;
    for (int i = 0; i < linhas; ++i) {
        for (const char c : gerador.Linha()) {
            if (c != ' ') {
                ++contagem.vezes[c];
                ++contagem.total;
            }
        }
    }
    return contagem;
}

const QByteArray kEnsinados = "asdfghjkl\xE7" "eiou ";

TEST(Gerador, OnlyTaughtCharactersComeAndTheWeakestComesClearlyMoreOften)
{
    GeradorDeLinhas semFraca(palavras(), {}, ensinados(kEnsinados), 1);
    semFraca.Pesa(aluno(kEnsinados));
    const Contagem antes = conta(semFraca, 300);

    GeradorDeLinhas comFraca(palavras(), {}, ensinados(kEnsinados), 1);
    comFraca.Pesa(aluno(kEnsinados, {{'f', 40}}));
    const Contagem depois = conta(comFraca, 300);

    for (const auto& [c, vezes] : depois.vezes)
        EXPECT_TRUE(kEnsinados.contains(c)) << "untaught " << int(static_cast<unsigned char>(c));
    // "a" is in nearly every word: each character is measured against its own share
    const double crescimentoDoF = depois.parte('f') / antes.parte('f');
    EXPECT_GE(crescimentoDoF, 2.5);
    for (const char c : QByteArray("asdghjkl\xE7" "eiou"))
        EXPECT_LT(depois.parte(c) / antes.parte(c), crescimentoDoF / 2) << c;
}

TEST(Gerador, FewWordsToTypeBringDrillsAndStillNothingUntaught)
{
    const QByteArray poucos = "fj ";
    GeradorDeLinhas gerador(palavras(), {}, ensinados(poucos), 3);
    const QByteArray linha = gerador.Linha();
    ASSERT_FALSE(linha.isEmpty());
    EXPECT_LE(linha.size(), kTamanhoDaLinha);
    for (const char c : linha)
        EXPECT_TRUE(poucos.contains(c)) << linha.constData();
    // no word has only "f" and "j": every token is a drill of the two, never of one alone
    for (const QByteArray& exercicio : linha.split(' '))
        EXPECT_TRUE(exercicio == "fjfj" || exercicio == "jfjf") << linha.constData();

    GeradorDeLinhas nada(palavras(), {}, Ensinados{}, 3);
    EXPECT_TRUE(nada.Linha().isEmpty());
}

// With no word and no phrase at all, a comma and a full stop are drilled as
// any character is.
TEST(Gerador, WithoutWordsOrPhrasesEveryCharacterIsDrilled)
{
    GeradorDeLinhas gerador({}, {}, ensinados("fj,. "), 4);
    for (int i = 0; i < 50; ++i) {
        const QByteArray linha = gerador.Linha();
        for (const QByteArray& exercicio : linha.split(' '))
            EXPECT_TRUE(exercicio.size() == 4 && exercicio[0] == exercicio[2] && exercicio[1] == exercicio[3])
                << linha.constData();
    }
}

std::vector<QByteArray> linhas(GeradorDeLinhas& gerador, int quantas)
{
    std::vector<QByteArray> feitas;
    for (int i = 0; i < quantas; ++i)
        feitas.push_back(gerador.Linha());
    return feitas;
}

bool ehMaiuscula(char c)
{
    return fromCp1252(QByteArrayView(&c, 1)).front().isUpper();
}

// "çaça": the character, another one, twice over
bool ehExercicio(const QByteArray& item)
{
    return item.size() == 4 && item[0] == item[2] && item[1] == item[3] && item[0] != item[1];
}

// The words of the first three exercises, in an order of frequency of their own.
const std::vector<QByteArray> kPalavrasDoInicio = {"a",    "da",   "asa",  "sala", "fala", "fada", "salada",
                                                   "fa\xE7" "a", "al\xE7" "a", "gala", "saga", "haja", "falha"};
// phrases these exercises cannot carry yet: capitals, a full stop
const std::vector<QByteArray> kFrasesDeDepois = {"Sara fala alto.", "Ana lava a salada."};

struct DepoisDoExercicio {
    int exercicio;
    QByteArray caracteres;  // what the course taught so far
    QByteArray semPalavra;  // of them, what no word holds
};

// After the first exercises the lines are words; a drill comes only for a
// character that no word holds, and every such character gets its drills.
TEST(Gerador, AfterTheFirstExercisesLinesAreWordsAndDrillsOnlyForCharactersNoWordHolds)
{
    const DepoisDoExercicio depois[] = {
        {1, "asdf ", ""},
        {2, "asdfjkl\xE7 ", "jk"},
        {3, "asdfjkl\xE7gh ", "k"},
    };
    for (const DepoisDoExercicio& caso : depois) {
        SCOPED_TRACE(caso.exercicio);
        GeradorDeLinhas gerador(kPalavrasDoInicio, kFrasesDeDepois, ensinados(caso.caracteres), 7);
        std::map<char, int> exercicios;
        for (const QByteArray& linha : linhas(gerador, 200)) {
            ASSERT_LE(linha.size(), kTamanhoDaLinha) << linha.constData();
            for (const QByteArray& item : linha.split(' ')) {
                if (std::find(kPalavrasDoInicio.begin(), kPalavrasDoInicio.end(), item) != kPalavrasDoInicio.end())
                    continue;
                ASSERT_TRUE(ehExercicio(item) && caso.semPalavra.contains(item[0])) << linha.constData();
                EXPECT_TRUE(caso.caracteres.contains(item[1]) && !ehMaiuscula(item[1])) << linha.constData();
                ++exercicios[item[0]];
            }
        }
        for (const char c : caso.semPalavra)
            EXPECT_GT(exercicios[c], 0) << c;
    }
}

// Phrases with names where Portuguese writes capitals: "Davi" and "Rio" in
// the middle of a phrase.
const std::vector<QByteArray> kFrases = {
    "Ana e Davi foram ao Rio.", "Sara tem um gato.",    "A bola caiu no rio.",       "Eu gosto de ler.",
    "Davi, feche a porta.",     "A mo\xE7" "a faz a tran\xE7" "a.", "Rita leu um livro.", "Ele come uva.",
};
const std::vector<QByteArray> kPalavras = {"a",    "e",    "o",     "de",    "que",  "casa",  "bola",   "rio",
                                           "gato", "sala", "fa\xE7" "a", "mo\xE7" "a", "ca\xE7" "a", "peixe", "vaca", "lua"};
// every small letter but "k", and capitals of which "X" begins no phrase
const QByteArray kComMaiusculas = "abcdefghijlmnopqrstuvwxyz\xE7 ,.ADERSX";

// Each line is phrases of the list one after another, or words with no
// capital: a comma only after a word inside the line, a full stop only at
// its end. A capital that no phrase carries is drilled.
TEST(Gerador, CapitalsComeOnlyAtAPhrasesStartInANameOrInADrillOfTheCapital)
{
    struct Caso {
        const char* nome;
        QByteArray caracteres;
        int frasesQueCabem;
    };
    const Caso casos[] = {
        {"with the capitals", kComMaiusculas, 8},
        {"without the comma", QByteArray(kComMaiusculas).replace(",", ""), 7},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        GeradorDeLinhas gerador(kPalavras, kFrases, ensinados(caso.caracteres), 11);
        std::set<QByteArray> frasesVistas;
        int linhasDePalavras = 0;
        int exerciciosDoX = 0;
        for (const QByteArray& linha : linhas(gerador, 300)) {
            ASSERT_LE(linha.size(), kTamanhoDaLinha) << linha.constData();
            const QStringList frases = fromCp1252(linha).split(QRegularExpression(QStringLiteral("(?<=[.!?]) ")));
            const bool deFrases = std::all_of(frases.begin(), frases.end(), [](const QString& frase) {
                return std::find(kFrases.begin(), kFrases.end(), toCp1252(frase)) != kFrases.end();
            });
            if (deFrases) {
                for (const QString& frase : frases)
                    frasesVistas.insert(toCp1252(frase));
                continue;
            }
            ++linhasDePalavras;
            const QList<QByteArray> itens = linha.split(' ');
            for (qsizetype i = 0; i < itens.size(); ++i) {
                QByteArray item = itens[i];
                if (ehExercicio(item) && item[0] == 'X') {
                    ++exerciciosDoX;
                    continue;
                }
                if (i + 1 < itens.size() && item.endsWith(','))
                    item.chop(1);
                if (i + 1 == itens.size() && item.endsWith('.'))
                    item.chop(1);
                EXPECT_TRUE(std::find(kPalavras.begin(), kPalavras.end(), item) != kPalavras.end() || ehExercicio(item))
                    << linha.constData();
                EXPECT_FALSE(std::any_of(item.begin(), item.end(), ehMaiuscula)) << linha.constData();
            }
        }
        EXPECT_EQ(int(frasesVistas.size()), caso.frasesQueCabem);
        EXPECT_GT(linhasDePalavras, 0);
        EXPECT_GT(exerciciosDoX, 0);
    }
}

// A weak character comes clearly more often, whatever carries it: words and
// phrases ("ç"), only phrases (the capital "D"), or nothing but drills ("k").
TEST(Gerador, AWeakCharacterComesMoreOftenWhateverCarriesIt)
{
    const QByteArray caracteres = QByteArray(kComMaiusculas) + 'k';
    const QByteArray todas = QByteArray(caracteres).replace(" ", "");
    for (const char fraca : QByteArray("\xE7" "Dk")) {
        SCOPED_TRACE(fraca);
        GeradorDeLinhas segura(kPalavras, kFrases, ensinados(caracteres), 5);
        segura.Pesa(aluno(todas));
        GeradorDeLinhas insegura(kPalavras, kFrases, ensinados(caracteres), 5);
        insegura.Pesa(aluno(todas, {{fraca, 40}}));
        const double antes = conta(segura, 300).parte(fraca);
        const double depois = conta(insegura, 300).parte(fraca);
        EXPECT_GT(antes, 0);
        EXPECT_GE(depois, 2 * antes);
    }
}

// The list is in order of frequency: its first half comes at least twice as
// often as the second.
TEST(Gerador, TheMoreFrequentWordsComeMoreOften)
{
    std::vector<QByteArray> palavras;
    for (int n = 0; n < 1024; ++n) {
        QByteArray palavra;
        for (int k = n, letra = 0; letra < 5; ++letra, k /= 4)
            palavra += "asdf"[k % 4];
        palavras.push_back(palavra);
    }
    GeradorDeLinhas gerador(palavras, {}, ensinados("asdf "), 9);
    int primeiraMetade = 0;
    int segunda = 0;
    for (const QByteArray& linha : linhas(gerador, 300)) {
        for (const QByteArray& item : linha.split(' ')) {
            const auto lugar = std::find(palavras.begin(), palavras.end(), item) - palavras.begin();
            ASSERT_LT(lugar, qsizetype(palavras.size())) << item.constData();
            ++(lugar < 512 ? primeiraMetade : segunda);
        }
    }
    EXPECT_GE(primeiraMetade, 2 * segunda);
}

// A line keeps its phrases whole; one longer than a line never comes.
TEST(Gerador, APhraseLongerThanALineNeverComes)
{
    const QByteArray longa = "Ana " + QByteArray(kTamanhoDaLinha, 'a') + ".";
    GeradorDeLinhas gerador({}, {longa, "Ana lava a sala."}, ensinados("Aalsnv. "), 2);
    for (const QByteArray& linha : linhas(gerador, 20))
        EXPECT_EQ(linha, "Ana lava a sala.");
}

class Pratica : public InTempDir {
public:
    void SetUp() override
    {
        InTempDir::SetUp();
        agora = as(10);
        clockseam::set(agora);
    }

    void passa(int ms)
    {
        agora = agora.addMSecs(ms);
        clockseam::set(agora);
    }

    QDateTime agora;
};

// A typist weak on "ç" and "ã": wrong on them one time in three and slow,
// almost always right and quick on every other character.
struct Digitador {
    std::mt19937 acaso{11};
    int erros(Treino& treino, Pratica& pratica, char c)
    {
        const bool fraca = c == '\xE7' || c == '\xE3';
        const bool erra = c != ' ' && std::uniform_real_distribution<>(0, 1)(acaso) < (fraca ? 0.33 : 0.02);
        pratica.passa(fraca ? 900 : 220);
        treino.Digita(erra ? (c == 'a' ? 's' : 'a') : c);
        return erra;
    }
    void linha(Treino& treino, Pratica& pratica)
    {
        for (const char c : QByteArray(treino.Linha()))
            erros(treino, pratica, c);
        pratica.passa(600);
        treino.Digita('\r');
    }
};

// In ordinary Brazilian text "ç" is about 0.53% of the letters, "ã" about 0.73%.
TEST_F(Pratica, ATypistWeakOnCedillaAndTildeGetsThemAtLeastThreeTimesTheirShare)
{
    const QByteArray ensinadas = "abcdefghijlmnopqrstuvxz\xE7\xE3\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4\xF5 ";
    Digitador digitador;
    Contagem contagem;
    for (int pratica = 0; pratica < 3; ++pratica) {
        Treino treino(7, estatisticas::TeclasDosAlunos({7}).front(),
                      GeradorDeLinhas(palavras(), {}, ensinados(ensinadas), 20 + pratica), dayCount(agora.date()));
        for (int linha = 0; linha < 20; ++linha) {
            for (const char c : treino.Linha()) {
                if (c != ' ') {
                    ++contagem.vezes[c];
                    ++contagem.total;
                }
            }
            digitador.linha(treino, *this);
            treino.GravaToques();
        }
        passa(60000);
    }
    RecordProperty("cedilha", QString::number(contagem.parte('\xE7') * 100, 'f', 2).toStdString());
    RecordProperty("til", QString::number(contagem.parte('\xE3') * 100, 'f', 2).toStdString());
    EXPECT_GE(contagem.parte('\xE7'), 3 * 0.0053);
    EXPECT_GE(contagem.parte('\xE3'), 3 * 0.0073);
}

// A pause in the middle of a line leaves the line as it was, and is no
// slowness of the key typed after it.
TEST_F(Pratica, ATenSecondPauseNeitherResetsTheLineNorSlowsTheNextKey)
{
    Treino treino(7, {}, GeradorDeLinhas({"casa", "saca"}, {}, ensinados("cas "), 5), 100);
    const QByteArray linha = treino.Linha();
    ASSERT_GE(linha.size(), 4);
    const qsizetype meio = linha.size() / 2;
    for (qsizetype i = 0; i < linha.size(); ++i) {
        passa(i == meio ? 10000 : 300);
        treino.Digita(linha[i]);
    }
    EXPECT_EQ(treino.Campo(), linha);
    const Treino::Resposta resposta = treino.Digita('\r');
    ASSERT_TRUE(resposta.linhaFeita);
    EXPECT_EQ(resposta.linhaFeita->certos, linha.size());
    EXPECT_EQ(resposta.linhaFeita->tm, 200);  // 300 ms a key, the pause left out
    treino.GravaToques();

    const estatisticas::TeclasDoAluno teclas = estatisticas::TeclasDosAlunos({7}).front();
    std::uint64_t cronometradas = 0;
    std::uint64_t ms = 0;
    for (const char c : QByteArray("cas ")) {
        cronometradas += teclas.figuras(c).cronometradas;
        ms += teclas.figuras(c).milissegundos;
    }
    EXPECT_EQ(cronometradas, std::uint64_t(linha.size() - 2));  // neither the first key nor the one after the pause
    EXPECT_EQ(ms, 300 * cronometradas);
    EXPECT_FALSE(QFile::exists(kArquivoAulas));  // a practice is never a lesson record
}

// A line judged as the alignment sees it: a key left out, added or replaced
// is one mistake of the character asked for there, and the characters
// after an early ENTER are not counted; the wrong ones are named once each.
TEST_F(Pratica, EachLineTellsItsAccuracyAndWhichCharactersWereWrong)
{
    struct Caso {
        QByteArray digitada;
        int alcancadas;
        int certos;
        QByteArray erradas;
        QString figuras;
    };
    const Caso casos[] = {
        {"Sara sai.", 9, 9, "", QStringLiteral("100 % certa, 200 t/m, sem erros")},
        {"Sra sai.", 9, 8, "a", QStringLiteral("88 % certa, 200 t/m. Erros: a")},
        {"Saara sai.", 9, 8, "r", QStringLiteral("88 % certa, 200 t/m. Erros: r")},
        {"Saraxsai.", 9, 8, " ", QStringLiteral("88 % certa, 200 t/m. Erros: espaço")},
        {"Sbra sbi.", 9, 7, "a", QStringLiteral("77 % certa, 200 t/m. Erros: a")},
        {"Sxra sai!", 9, 7, "a.", QStringLiteral("77 % certa, 200 t/m. Erros: a, ponto")},
        {"Sara", 4, 4, "", QStringLiteral("44 % certa, 200 t/m, sem erros. Faltou o fim da linha")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.digitada.constData());
        Treino treino(7, {}, GeradorDeLinhas({}, {"Sara sai."}, ensinados("Sarsi. "), 5), 100);
        ASSERT_EQ(treino.Linha(), "Sara sai.");
        for (const char c : caso.digitada) {
            passa(300);
            treino.Digita(c);
        }
        const Treino::Resposta resposta = treino.Digita('\r');
        ASSERT_TRUE(resposta.linhaFeita && resposta.status);
        const LinhaFeita& feita = *resposta.linhaFeita;
        EXPECT_EQ(feita.caracteres, 9);
        EXPECT_EQ(feita.alcancadas, caso.alcancadas);
        EXPECT_EQ(feita.certos, caso.certos);
        EXPECT_EQ(feita.erradas, caso.erradas);
        EXPECT_EQ(resposta.status->texto, QStringLiteral("Linha 1: %1. Agora a próxima.").arg(caso.figuras));
        EXPECT_EQ(resposta.status->cores, caso.certos == 9 ? CoresDoStatus::Certa : CoresDoStatus::Errada);
        EXPECT_EQ(feita.resultado, QStringLiteral("Linha 1 - %1. [%2]").arg(caso.figuras, QString::fromLatin1(caso.digitada)));
    }
}

// What the end of a practice tells: the lines, the accuracy over all the
// characters asked for, the speed over all the timed keys with the pauses
// left out, and the keys that improved.
TEST_F(Pratica, TheEndOfAPracticeTellsItsLinesAccuracyMeanSpeedAndWhatImproved)
{
    Treino treino(7, {}, GeradorDeLinhas({}, {"Sara sai."}, ensinados("Sarsi. "), 5), 100);
    for (const auto& [digitada, ms] : {std::pair{QByteArray("Sara sai."), 300}, {QByteArray("Sara sbi."), 200}}) {
        for (qsizetype i = 0; i < digitada.size(); ++i) {
            passa(i == 4 ? 10000 : ms);
            treino.Digita(digitada[i]);
        }
        treino.Digita('\r');
    }
    const ResumoDoTreino resumo = treino.Resumo();
    EXPECT_EQ(resumo.linhas, 2);
    EXPECT_EQ(resumo.caracteres, 18);
    EXPECT_EQ(resumo.certos, 17);
    EXPECT_EQ(resumo.porCento(), 94);
    EXPECT_EQ(resumo.tm(), 240);  // 7 keys at 300 ms and 7 at 200 ms, the pauses left out
    // every character was new to the student and typed right at least once
    EXPECT_EQ(resumo.melhoraram.size(), 6u);

    struct Caso {
        ResumoDoTreino resumo;
        QString texto;
    };
    const Caso casos[] = {
        {{1, 9, 9, 8, 2400, {}},
         QStringLiteral("Treino terminado.\r1 linha digitada, 100 % de acerto, 200 t/m em média.\r"
                        "Nenhuma tecla melhorou o bastante desta vez: continue treinando.")},
        {{3, 30, 27, 27, 5400, {QChar(u'ç'), QChar(u','), QChar(u'a')}},
         QStringLiteral("Treino terminado.\r3 linhas digitadas, 90 % de acerto, 300 t/m em média.\rMelhoraram: ç  vírgula  a")},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(TextoDoResumo(caso.resumo), caso.texto);
}

// The phrases are read as the words are; a course folder prepared before
// the practice had phrases has none, and that is no error.
TEST_F(Pratica, ThePhrasesAreReadFromTheCourseFolderAndAFolderWithoutThemHasNone)
{
    EXPECT_TRUE(CarregaFrases().empty());
    writeFile(kArquivoFrases, QStringLiteral("# escritas para o treino\r\nAna lê.\r\n\r\nÀ tarde, sol!\n").toUtf8());
    EXPECT_EQ(CarregaFrases(), (std::vector<QByteArray>{"Ana l\xEA.", "\xC0 tarde, sol!"}));
}

// The lists are read as the course's data files are: a link or a folder in a
// list's place, or a list the disk fails to give, is refused with the list,
// its file and the cause; a missing word list is told as missing.
TEST_F(Pratica, AListThatCannotBeReadIsRefusedWithItsCause)
{
    writeFile(QStringLiteral("alvo"), "casa\n");
    const auto link = [](const QString& nome, const char* alvo) {
        return [nome, alvo] { QFile::link(QString::fromLatin1(alvo), nome); };
    };
    const QString palavras = QStringLiteral("A lista de palavras do treino, palavras.txt, ");
    const QString frases = QStringLiteral("A lista de frases do treino, frases.txt, ");
    struct Caso {
        const char* como;
        std::function<void()> planta;
        std::function<void()> carrega;
        QString erro;
    };
    const Caso casos[] = {
        {"no word list", [] {}, CarregaPalavras, palavras + QStringLiteral("não está na pasta do curso")},
        {"the words linked", link(kArquivoPalavras, "alvo"), CarregaPalavras,
         palavras + QStringLiteral("não pode ser lida: é um link simbólico")},
        {"the phrases a dangling link", link(kArquivoFrases, "sumido"), CarregaFrases,
         frases + QStringLiteral("não pode ser lida: é um link simbólico")},
        {"the phrases a folder", [] { QDir().mkdir(kArquivoFrases); }, CarregaFrases,
         frases + QStringLiteral("não pode ser lida: é uma pasta")},
        {"the words failing on the disk",
         [] {
             writeFile(kArquivoPalavras, "casa\n");
             fileseam::failOn(fileseam::Op::Read, EIO);
         },
         CarregaPalavras, palavras + QStringLiteral("não pode ser lida: erro de leitura ou gravação no disco")},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        fileseam::clear();
        for (const QString& nome : {kArquivoPalavras, kArquivoFrases}) {
            QFile::remove(nome);
            QDir().rmdir(nome);
        }
        caso.planta();
        EXPECT_EQ(errorOf(caso.carrega), caso.erro);
        EXPECT_EQ(readFile(QStringLiteral("alvo")), QByteArray("casa\n"));
    }
}

// A list whose rights keep it from the user is told so. Root reads any file:
// the list is read in a child process that drops to an unprivileged user.
TEST_F(Pratica, AListTheUserMayNotReadIsRefusedWithItsCause)
{
    writeFile(kArquivoPalavras, "casa\n");
    writeFile(kArquivoFrases, "Ana lê.\n");
    // the unprivileged user reaches the folder, not the lists
    QFile::setPermissions(QStringLiteral("."), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::ExeOther);
    for (const QString& nome : {kArquivoPalavras, kArquivoFrases})
        QFile::setPermissions(nome, QFileDevice::WriteOwner);
    const QString esperado = QStringLiteral("A lista de palavras do treino, palavras.txt, não pode ser lida: "
                                            "permissão negada|A lista de frases do treino, frases.txt, não pode "
                                            "ser lida: permissão negada");
    const pid_t filho = fork();
    if (filho == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        const QString visto = errorOf(CarregaPalavras) + u'|' + errorOf(CarregaFrases);
        _exit(visto == esperado ? 0 : 1);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0) << "2: the child could not drop to an unprivileged user";
}

// The screen under the course's rules, fed by real keys.
class TelaTreino : public Aula {
protected:
    void abreTreino()
    {
        treino = std::make_unique<TfTreino>(
            QStringLiteral("Rui"), Treino(7, {}, GeradorDeLinhas({"casa", "saca"}, {}, ensinados("cas "), 5), 100));
        treino->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(treino.get()));
        linhaPedida = treino->findChild<QLabel*>(QStringLiteral("dbLinha"))->text();
    }
    QString statusDoTreino() const { return treino->findChild<QLabel*>(QStringLiteral("lbDigitado"))->text(); }

    std::unique_ptr<TfTreino> treino;
    QString linhaPedida;
};

TEST_F(TelaTreino, ALineTypedShowsItsFiguresAndTheNextLineAndEscEndsWithWhatImproved)
{
    abreTreino();
    EXPECT_EQ(comFoco()->objectName(), QStringLiteral("edDig"));

    tecla(Qt::Key_Backspace);
    EXPECT_EQ(statusDoTreino(), QStringLiteral("Não pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro."));
    tecla(Qt::Key_Left);
    EXPECT_EQ(statusDoTreino(), QStringLiteral("Não pode tentar mover sobre o texto. Apenas continue a digitar."));

    const QString primeira = linhaPedida;
    digita(primeira);
    tecla(Qt::Key_Return);
    const QString resultado = treino->findChild<QPlainTextEdit*>(QStringLiteral("mmResultado"))->toPlainText();
    EXPECT_TRUE(resultado.startsWith(QStringLiteral("Linha 1 - 100 % certa"))) << resultado.toStdString();
    EXPECT_TRUE(statusDoTreino().startsWith(QStringLiteral("Linha 1: 100 % certa"))) << statusDoTreino().toStdString();
    EXPECT_TRUE(treino->findChild<QLineEdit*>(QStringLiteral("edDig"))->text().isEmpty());
    EXPECT_EQ(estatisticas::TeclasDosAlunos({7}).front().figuras('a').erradas, 0u);
    EXPECT_GT(estatisticas::TeclasDosAlunos({7}).front().figuras('a').esperadas, 0u);

    auto* teclado = treino->findChild<TecladoNaTela*>();
    const bool visivel = teclado->isVisible();
    tecla(Qt::Key_F4);
    EXPECT_NE(teclado->isVisible(), visivel);

    boxseam::clear();
    tecla(Qt::Key_Escape);
    EXPECT_FALSE(treino->isVisible());
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_TRUE(boxseam::shown().front().text.startsWith(QStringLiteral("Treino terminado."))) << boxseam::shown().front().text.toStdString();
    EXPECT_TRUE(readFile(kArquivoAulas).isEmpty());  // no lesson record
}

// How often a widget was shown: each time, Qt tells a screen reader, which
// speaks a notification shown.
class ContaMostrado : public QObject {
public:
    explicit ContaMostrado(QWidget* widget)
    {
        widget->installEventFilter(this);
    }
    int vezes = 0;

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        vezes += evento->type() == QEvent::Show;
        return false;
    }
};

// After a line, the status bar tells which characters were wrong and is
// spoken, the focus staying in the field; the running count while typing is
// only shown. The end box sums the practice up.
TEST_F(TelaTreino, TheLinesMistakesAreShownAndSpokenAndTheEndTellsThePracticesFigures)
{
    abreTreino();
    auto* barra = treino->findChild<QLabel*>(QStringLiteral("lbDigitado"));
    ContaMostrado mostrada(barra);

    // the first character replaced by the other letter the line has
    QString errada = linhaPedida;
    errada[0] = errada[0] == u'c' ? u's' : u'c';
    digita(errada.chopped(1));
    EXPECT_TRUE(statusDoTreino().startsWith(QStringLiteral("Já foram digitados"))) << statusDoTreino().toStdString();
    EXPECT_EQ(mostrada.vezes, 0);
    digita(errada.right(1));
    EXPECT_EQ(statusDoTreino(), QStringLiteral("A digitação chegou ao final"));
    EXPECT_EQ(mostrada.vezes, 1);
    tecla(Qt::Key_Return);
    const QString esperado = QStringLiteral("Erros: %1. Agora a próxima.").arg(linhaPedida[0]);
    EXPECT_TRUE(statusDoTreino().startsWith(QStringLiteral("Linha 1: "))) << statusDoTreino().toStdString();
    EXPECT_TRUE(statusDoTreino().endsWith(esperado)) << statusDoTreino().toStdString();
    EXPECT_EQ(mostrada.vezes, 2);
    const QAccessibleInterface* falado = QAccessible::queryAccessibleInterface(barra);
    EXPECT_EQ(falado->role(), QAccessible::Notification);
    EXPECT_EQ(falado->text(QAccessible::Name), statusDoTreino());
    EXPECT_EQ(comFoco()->objectName(), QStringLiteral("edDig"));
    // a screen reader names the field the student types in
    EXPECT_EQ(QAccessible::queryAccessibleInterface(comFoco())->text(QAccessible::Name), QStringLiteral("Linha digitada"));

    boxseam::clear();
    tecla(Qt::Key_Escape);
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_TRUE(boxseam::shown().front().text.startsWith(QStringLiteral("Treino terminado.\r1 linha digitada, ")))
        << boxseam::shown().front().text.toStdString();
}

}  // namespace

namespace {

QByteArray caracteres(const Ensinados& ensinados)
{
    QByteArray lista;
    for (int c = 0; c < 256; ++c) {
        if (ensinados[size_t(c)])
            lista += char(c);
    }
    return lista;
}

// Only what the exercises passed so far asked for: the musical keyboard's
// melodies teach no key, and an exercise beyond the catalogue none either.
TEST(Ensinados, ThePracticeKnowsTheCharactersOfTheExercisesPassedSoFar)
{
    std::vector<tExercicio> catalogo(kPrimeiroExercicioMusical);
    catalogo[0] = umExercicio(1, {"fj fj", "jf"});
    catalogo[1] = umExercicio(2, {"a\xE7\xE3o"});
    catalogo[kPrimeiroExercicioMusical - 1] = umExercicio(kPrimeiroExercicioMusical, {"zxcvb"});
    const struct {
        int ate;
        QByteArray ensinados;
    } casos[] = {
        {0, {}},
        {1, " fj"},
        {2, " afjo\xE3\xE7"},
        {kPrimeiroExercicioMusical, " afjo\xE3\xE7"},
        {kPrimeiroExercicioMusical + 1, " afjo\xE3\xE7"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(caracteres(CaracteresDoCurso(catalogo, caso.ate)), caso.ensinados) << "up to " << caso.ate;
}

}  // namespace
