// The lesson's rules on the lesson itself, with no screen and no event loop:
// what each typed character leaves in the field, and what each ENTER decides.

#include "fixture_aula.h"

#include "course/aula.h"
#include "course/licao.h"
#include "data/datafiles.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "support/somgravado.h"
#include "platform/system.h"

#include <QFile>

namespace {

using Tipo = Licao::Veredito::Tipo;

// Each character of the text, as the keyboard types it; the last status shown.
QString digitaEm(Licao& licao, const QByteArray& texto)
{
    QString status;
    for (char c : texto) {
        const Licao::Resposta resposta = licao.Digita(c);
        if (resposta.status)
            status = resposta.status->texto;
    }
    return status;
}

class LicaoTest : public Aula {
protected:
    // A lesson opened on the exercise, as the screen opens it.
    void abreLicao(Licao& licao, const tExercicio& exercicio)
    {
        Exercicios[NumExercicio] = exercicio;
        ExercicioAtual = exercicio;
        licao.Abre();
    }

    // A line typed and ended with ENTER.
    Licao::Veredito linha(const QByteArray& texto)
    {
        digitaEm(licao, texto);
        return enter();
    }

    Licao::Veredito enter() { return *licao.Digita('\r').veredito; }

    QString digita(const QByteArray& texto) { return digitaEm(licao, texto); }

    Licao licao;
};

TEST_F(LicaoTest, EachCharacterLeavesInTheFieldWhatTheRulesLetThrough)
{
    struct Caso {
        const char* what;
        QByteArray teclas;
        QByteArray campo;
        QByteArray teclasDigitadas;
        const char* status;
    };
    const Caso casos[] = {
        {"a run of blanks alternates with \"_\"", "ab   ", "ab _ ", "ab_", "J\xC3\xA1 foram digitados 2 caracteres em 00:00:00 minutos."},
        {"no blank at the start of a line", "  a", "a", "a", "J\xC3\xA1 foram digitados 1 caracteres em 00:00:00 minutos."},
        {"\";\" is \"\xC3\xA7\", anywhere", "a;b", "a\xE7" "b", "a\xE7" "b", "A digita\xC3\xA7\xC3\xA3o chegou ao final"},
        {"backspace deletes nothing", "ab\b", "ab", "ab", "N\xC3\xA3o pode apagar letras para tentar corrigir. Prossiga, mesmo com o erro."},
        {"Ctrl+V pastes nothing", "ab\x16", "ab", "ab", "N\xC3\xA3o pode tentar colar um texto inteiro para ir mais r\xC3\xA1pido."},
        {"other control characters insert nothing", "a\x01" "b", "ab", "a\x01" "b", "J\xC3\xA1 foram digitados 2 caracteres em 00:00:00 minutos."},
        {"the field holds 80 characters", QByteArray(85, 'x'), QByteArray(80, 'x'), QByteArray(80, 'x'), "A digita\xC3\xA7\xC3\xA3o chegou ao final"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.what);
        UltimaTecla = 0;
        InicioLinha = 0;
        Licao nova;
        abreLicao(nova, umExercicio(1, {"abc"}));
        EXPECT_EQ(digitaEm(nova, caso.teclas), QString::fromUtf8(caso.status));
        EXPECT_EQ(nova.Campo(), caso.campo);
        EXPECT_EQ(nova.TeclasDigitadas(), caso.teclasDigitadas);
    }
}

TEST_F(LicaoTest, FromTheLinesLastCharacterOnEveryKeyBeepsAndTheFirstStartsTheClock)
{
    abreLicao(licao, umExercicio(1, {"abcde"}));
    // the line's time runs from its first character
    EXPECT_EQ(digita("a"), QStringLiteral("Já foram digitados 1 caracteres em 00:00:00 minutos."));
    EXPECT_TRUE(licao.TempoIniciado());
    clockseam::set(as(10, 0, 9));
    EXPECT_EQ(digita("bcd"), QStringLiteral("Já foram digitados 4 caracteres em 00:00:09 minutos."));
    EXPECT_EQ(systemseam::beeps(), 0);
    EXPECT_EQ(digita("ef"), QStringLiteral("A digitação chegou ao final"));
    EXPECT_EQ(systemseam::beeps(), 2);
}

TEST_F(LicaoTest, EnterJudgesTheLineAndCountsTheCompletePasses)
{
    struct Passo {
        QByteArray digitado;
        Tipo tipo;
        int linhaAtual;
        int linhasSeguidas;
        int perdidas;
    };
    // two lines, three passes asked
    abreLicao(licao, umExercicio(1, {"ab", "cd"}, 3));
    const Passo passos[] = {
        {"ab", Tipo::Certa, 2, 0, 0},
        {"cd", Tipo::Certa, 1, 1, 0},
        {"abXYZ", Tipo::Certa, 2, 1, 0},  // what lies past the line's end is not looked at
        {"cd", Tipo::Certa, 1, 2, 0},
        {"a", Tipo::Errada, 1, 0, 2},     // a line with something missing is wrong
        {"ab", Tipo::Certa, 2, 0, 0},
    };
    for (const Passo& passo : passos) {
        SCOPED_TRACE(passo.digitado.toStdString());
        const Licao::Veredito veredito = linha(passo.digitado);
        EXPECT_EQ(veredito.tipo, passo.tipo);
        EXPECT_EQ(licao.LinhaAtual(), passo.linhaAtual);
        EXPECT_EQ(licao.LinhasSeguidas(), passo.linhasSeguidas);
        EXPECT_EQ(veredito.seguidasPerdidas, passo.perdidas);
        EXPECT_EQ(licao.Campo(), QByteArray());
    }
}

TEST_F(LicaoTest, AWrongLineListsTheWrongLettersAndTheCountItLost)
{
    abreLicao(licao, umExercicio(1, {"casa"}, 5));
    linha("casa");
    linha("casa");
    const Licao::Veredito errada = linha("cama!");
    EXPECT_EQ(errada.status.texto, QStringLiteral("Linha digitada com erros!"));
    EXPECT_EQ(errada.status.cores, Licao::Cores::Errada);
    EXPECT_EQ(errada.seguidasPerdidas, 2);
    EXPECT_EQ(errada.letrasErradas, QStringLiteral("Letra na posição 3 (\"m\") errada\r"));
    EXPECT_EQ(errada.resultado, QStringLiteral("5 - Errada: [cama!]"));
}

TEST_F(LicaoTest, EnterOnAnEmptyFieldOnlyAsksForTheLine)
{
    abreLicao(licao, umExercicio(1, {"abc"}));
    UltimaTecla = 'z';
    const Licao::Veredito veredito = enter();
    EXPECT_EQ(veredito.tipo, Tipo::CampoVazio);
    EXPECT_EQ(veredito.status.texto, QStringLiteral("Digite a linha para teclar ENTER!"));
    EXPECT_EQ(UltimaTecla, 'z');
    EXPECT_FALSE(licao.TempoIniciado());
}

TEST_F(LicaoTest, APassedExerciseIsRecordedWithItsSpeedAndTheNextOneComes)
{
    Exercicios[2] = umExercicio(2, {"xyz"});
    abreLicao(licao, umExercicio(1, {"abc"}, 1, 60));
    digita("abc");
    clockseam::set(as(10, 1));
    const Licao::Veredito veredito = enter();
    ASSERT_EQ(veredito.tipo, Tipo::Certa);
    ASSERT_TRUE(veredito.completo);
    EXPECT_EQ(QFile(kArquivoAulas).size(), 0);

    const Licao::Passagem passagem = licao.PassaExercicio();
    // 60 keystrokes over a longest line of one minute
    EXPECT_EQ(AulaAtual.Tempo, 60);
    EXPECT_EQ(AulaAtual.NumExerc, 1);
    EXPECT_EQ(AulaAtual.CodAluno, 7);
    EXPECT_EQ(QFile(kArquivoAulas).size(), qint64(sizeof(tAula)));
    EXPECT_FALSE(passagem.fimDoCurso);
    EXPECT_EQ(passagem.status.texto, QStringLiteral("Parabéns! Você conseguiu. Preste atenção neste novo exercício."));
    EXPECT_EQ(NumExercicio, 2);
    EXPECT_EQ(ExercicioAtual.Numero, 2);
    EXPECT_EQ(licao.LinhasSeguidas(), 0);
    EXPECT_EQ(licao.TamanhoLinha(), 3);

    // the catalogue's last exercise ends the course: nothing comes after it
    linha("xyz");
    EXPECT_TRUE(licao.PassaExercicio().fimDoCurso);
    EXPECT_EQ(NumExercicio, 2);
    EXPECT_EQ(QFile(kArquivoAulas).size(), qint64(2 * sizeof(tAula)));
}

// A wrong line after two passes or more offers the letters; ENTER on the
// musical keyboard is a character like any other.
TEST_F(LicaoTest, EnterIsTheStepOnlyInNormalMode)
{
    abreLicao(licao, umExercicio(1, {"ab"}, 5));
    linha("ab");
    EXPECT_FALSE(linha("x").ofereceLetras);
    linha("ab");
    linha("ab");
    EXPECT_TRUE(linha("x").ofereceLetras);

    Licao musical;
    abreLicao(musical, umExercicio(42, {"cde"}));
    digitaEm(musical, "c");
    EXPECT_FALSE(musical.Digita('\r').veredito);
}

TEST_F(LicaoTest, OnTheMusicalKeyboardEveryCharacterSoundsAndTheFieldIsAPlainOne)
{
    abreLicao(licao, umExercicio(42, {"CDE"}));
    ASSERT_TRUE(licao.ModoSom());
    EXPECT_THROW(licao.Digita('x'), AppError);  // no note yet
    EXPECT_EQ(licao.Campo(), QByteArray());

    recordedsound::clear();
    digita("cx\b\r");
    using recordedsound::Kind;
    const std::vector<recordedsound::Request> esperado = {
        {Kind::Open, QStringLiteral("notas/do5.wav")}, {Kind::Play, {}},
        {Kind::Stop, {}}, {Kind::Close, {}}, {Kind::Open, QStringLiteral("notas/do5.wav")}, {Kind::Play, {}},
        {Kind::Stop, {}}, {Kind::Close, {}}, {Kind::Open, QStringLiteral("notas/do5.wav")}, {Kind::Play, {}},
        {Kind::Stop, {}}, {Kind::Close, {}}, {Kind::Open, QStringLiteral("notas/do5.wav")}, {Kind::Play, {}},
    };
    EXPECT_EQ(recordedsound::requests(), esperado);
    // backspace deleted the "x"; ENTER inserts nothing and judges nothing
    EXPECT_EQ(licao.Campo(), QByteArray("c"));
    EXPECT_EQ(licao.LinhasSeguidas(), 0);
    EXPECT_EQ(UltimaTecla, '\r');
}

}  // namespace
