// The practice: the lines it makes for a student, what it keeps of their
// typing, and its screen driven with real keys.

#include "fixture_aula.h"

#include "course/treino.h"
#include "course/uTreino.h"
#include "data/text.h"
#include "platform/clock.h"
#include "ui/dialogs.h"
#include "ui/tecladonatela.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <map>
#include <random>

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
    GeradorDeLinhas semFraca(palavras(), ensinados(kEnsinados), 1);
    semFraca.Pesa(aluno(kEnsinados));
    const Contagem antes = conta(semFraca, 300);

    GeradorDeLinhas comFraca(palavras(), ensinados(kEnsinados), 1);
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
    GeradorDeLinhas gerador(palavras(), ensinados(poucos), 3);
    const QByteArray linha = gerador.Linha();
    ASSERT_FALSE(linha.isEmpty());
    EXPECT_LE(linha.size(), kTamanhoDaLinha);
    for (const char c : linha)
        EXPECT_TRUE(poucos.contains(c)) << linha.constData();
    // no word has only "f" and "j": every token is a drill of the two, never of one alone
    for (const QByteArray& exercicio : linha.split(' '))
        EXPECT_TRUE(exercicio == "fjfj" || exercicio == "jfjf") << linha.constData();

    GeradorDeLinhas nada(palavras(), Ensinados{}, 3);
    EXPECT_TRUE(nada.Linha().isEmpty());
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
                      GeradorDeLinhas(palavras(), ensinados(ensinadas), 20 + pratica), dayCount(agora.date()));
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
    Treino treino(7, {}, GeradorDeLinhas({"casa", "saca"}, ensinados("cas "), 5), 100);
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

// The screen under the course's rules, fed by real keys.
class TelaTreino : public Aula {
protected:
    void abreTreino()
    {
        treino = std::make_unique<TfTreino>(
            QStringLiteral("Rui"), Treino(7, {}, GeradorDeLinhas({"casa", "saca"}, ensinados("cas "), 5), 100));
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
// melodies teach no key.
TEST_F(Aula, ThePracticeKnowsTheCharactersOfTheExercisesPassedSoFar)
{
    Exercicios[1] = umExercicio(1, {"fj fj", "jf"});
    Exercicios[2] = umExercicio(2, {"a\xE7\xE3o"});
    Exercicios[kPrimeiroExercicioMusical] = umExercicio(kPrimeiroExercicioMusical, {"zxcvb"});
    EXPECT_EQ(caracteres(CaracteresDoCurso(0)), QByteArray());
    EXPECT_EQ(caracteres(CaracteresDoCurso(1)), QByteArray(" fj"));
    EXPECT_EQ(caracteres(CaracteresDoCurso(2)), QByteArray(" afjo\xE3\xE7"));
    EXPECT_EQ(caracteres(CaracteresDoCurso(kPrimeiroExercicioMusical)), QByteArray(" afjo\xE3\xE7"));
}

}  // namespace
