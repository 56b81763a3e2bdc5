// The musical keyboard of the lessons opened on exercise 42 or higher, with
// the media player's requests recorded instead of played.

#include "fixture_aula.h"

#include "course/aula.h"
#include "ui/dialogs.h"
#include "support/somgravado.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using recordedsound::Kind;
using recordedsound::Request;

namespace {

const QString kSemDispositivo = QStringLiteral("No MCI device open");

Request abrir(const char* arquivo)
{
    return {Kind::Open, QString::fromLatin1(arquivo)};
}
const Request tocar{Kind::Play, {}};
const Request parar{Kind::Stop, {}};
const Request fechar{Kind::Close, {}};

}  // namespace

class Notas : public Aula {
protected:
    void abreNoQuarentaEDois() { abre(umExercicio(42, {"cdefgab"}, 5)); }
    // the requests since the last call
    std::vector<Request> pedidos()
    {
        std::vector<Request> feitos = recordedsound::requests();
        recordedsound::clear();
        return feitos;
    }
};

TEST_F(Notas, ALessonOpenedOnFortyTwoPlaysANoteForEveryCharacter)
{
    abreNoQuarentaEDois();
    EXPECT_TRUE(tela->licao().ModoSom());

    digita("c");
    EXPECT_EQ(pedidos(), (std::vector<Request>{abrir("notas/do5.wav"), tocar}));
    digita("x");
    EXPECT_EQ(pedidos(), (std::vector<Request>{parar, fechar, abrir("notas/do5.wav"), tocar}));
    digita("D");
    EXPECT_EQ(pedidos(), (std::vector<Request>{fechar, abrir("notas/re5.wav"), tocar}));
    EXPECT_EQ(campo(), QStringLiteral("cxD"));
    EXPECT_EQ(UltimaTecla, 'D');
    // no keystroke rule, no status text, no clock other than the first character's
    EXPECT_EQ(status(), QStringLiteral("Caracteres digitados"));
    EXPECT_TRUE(tela->licao().TempoIniciado());
    EXPECT_DOUBLE_EQ(InicioLinha, 10 / 24.0);
}

TEST_F(Notas, EachNoteLetterInEitherCaseChoosesItsFile)
{
    const struct {
        const char* letras;
        const char* arquivo;
    } notas[] = {
        {"cC", "notas/do5.wav"},  {"dD", "notas/re5.wav"}, {"eE", "notas/mi5.wav"},
        {"fF", "notas/fa5.wav"},  {"gG", "notas/sol5.wav"}, {"aA", "notas/la5.wav"},
        {"bB", "notas/si5.wav"},
    };
    abreNoQuarentaEDois();
    for (const auto& nota : notas) {
        for (const char* letra = nota.letras; *letra; ++letra) {
            SCOPED_TRACE(*letra);
            pedidos();
            digita(QString(QLatin1Char(*letra)));
            const std::vector<Request> feitos = recordedsound::requests();
            ASSERT_GE(feitos.size(), 2u);
            EXPECT_EQ(feitos[feitos.size() - 2], abrir(nota.arquivo));
        }
    }
    EXPECT_EQ(campo(), QStringLiteral("cCdDeEfFgGaAbB"));
}

TEST_F(Notas, ANonNoteBeforeAnyNoteFailsAndInsertsNothing)
{
    abreNoQuarentaEDois();
    digita("h");
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::ErrorReport);
    EXPECT_EQ(boxseam::shown()[0].text, kSemDispositivo + u'.');
    EXPECT_EQ(campo(), QString());
    EXPECT_EQ(UltimaTecla, '\0');
    EXPECT_TRUE(pedidos().empty());

    digita("ch");
    EXPECT_EQ(pedidos(), (std::vector<Request>{abrir("notas/do5.wav"), tocar, parar, fechar,
                                               abrir("notas/do5.wav"), tocar}));
    EXPECT_EQ(campo(), QStringLiteral("ch"));
}

TEST_F(Notas, EditingKeysActAsInAPlainFieldAndReplayTheLastNote)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("fa sol\nla"));
    abreNoQuarentaEDois();
    digita("cde");
    pedidos();

    tecla(Qt::Key_Backspace);
    EXPECT_EQ(campo(), QStringLiteral("cd"));
    EXPECT_EQ(pedidos(), (std::vector<Request>{parar, fechar, abrir("notas/mi5.wav"), tocar}));
    EXPECT_EQ(UltimaTecla, '\b');

    enter();
    EXPECT_EQ(campo(), QStringLiteral("cd"));
    EXPECT_EQ(resultado(), QString());
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 0);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
    EXPECT_EQ(pedidos(), (std::vector<Request>{parar, fechar, abrir("notas/mi5.wav"), tocar}));

    tecla(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(campo(), QStringLiteral("cdfa sol"));

    tecla(Qt::Key_Left);
    EXPECT_EQ(status(), QStringLiteral("Não pode tentar mover sobre o texto. Apenas continue a digitar."));
    EXPECT_EQ(campo(), QStringLiteral("cdfa sol"));
    EXPECT_TRUE(boxseam::shown().empty());
    EXPECT_TRUE(readFile(kArquivoAulas).isEmpty());
}

TEST_F(Notas, AMissingNoteFileFailsAndLeavesThePlayerClosed)
{
    abreNoQuarentaEDois();
    digita("c");
    recordedsound::failNext(Kind::Open, QStringLiteral("Couldn't open notas/la5.wav"));
    digita("a");
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, QStringLiteral("Couldn't open notas/la5.wav."));
    EXPECT_EQ(campo(), QStringLiteral("c"));
    EXPECT_EQ(UltimaTecla, 'c');

    boxseam::clear();
    digita("x");
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].text, kSemDispositivo + u'.');
    EXPECT_EQ(campo(), QStringLiteral("c"));
}

TEST_F(Notas, WithoutASoundDeviceTheStudentIsToldOnceAndTypesOn)
{
    recordedsound::withoutDevice();
    abreNoQuarentaEDois();
    digita("cde");
    ASSERT_EQ(boxseam::shown().size(), 1u);
    EXPECT_EQ(boxseam::shown()[0].kind, BoxKind::Information);
    EXPECT_EQ(boxseam::shown()[0].text, Licao::kNotasSemSom);
    EXPECT_EQ(campo(), QStringLiteral("cde"));
    EXPECT_EQ(UltimaTecla, 'e');
    digita("x");
    EXPECT_EQ(campo(), QStringLiteral("cdex"));
    EXPECT_EQ(boxseam::shown().size(), 1u);

    // once a lesson
    abreNoQuarentaEDois();
    digita("c");
    EXPECT_EQ(boxseam::shown().size(), 2u);
}

TEST_F(Notas, TheModeIsDecidedWhenTheLessonOpens)
{
    Exercicios[2] = umExercicio(42, {"cde"});
    abre(umExercicio(41, {"abc"}, 1));
    EXPECT_FALSE(tela->licao().ModoSom());
    linha("abc");
    ASSERT_EQ(ExercicioAtual.Numero, 42);
    EXPECT_FALSE(tela->licao().ModoSom());
    digita("c");
    EXPECT_TRUE(recordedsound::requests().empty());
    EXPECT_TRUE(status().startsWith(QStringLiteral("Já foram digitados 1 caracteres")));

    abre(Exercicios[2]);
    EXPECT_TRUE(tela->licao().ModoSom());
    digita("c");
    EXPECT_EQ(pedidos(), (std::vector<Request>{abrir("notas/do5.wav"), tocar}));
}
