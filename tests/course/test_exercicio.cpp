// The exercise screen: its look at opening, the lines it shows, and the
// verdict on every ENTER.

#include "fixture_aula.h"

#include "course/aula.h"
#include "platform/clock.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace {

const QString kTermine = QStringLiteral(
    "Termine a digitação de todas as linhas para contar como se fosse um acerto completo.");
const QString kErrada = QStringLiteral("Linha digitada com erros!");

QString pergunta(int linhas)
{
    return QStringLiteral("Você já tinha %1 linhas digitadas sem erros.\r"
                          "Porém, quando erra, precisa começar a sequência novamente.\r"
                          "Ou seja, a contagem de linhas recomeçará e você precisará atingir "
                          "novamente o exigido pelo exercício.\r"
                          "***********\r"
                          "Deseja ver que letra(s) você errou?\r"
                          "***********")
        .arg(linhas);
}

std::vector<BoxKind> caixas()
{
    std::vector<BoxKind> kinds;
    for (const boxseam::Shown& box : boxseam::shown())
        kinds.push_back(box.kind);
    return kinds;
}

}  // namespace

TEST_F(Aula, ScreenIsLaidOutAtItsDesignPlaces)
{
    abre(umExercicio(1, {"abc"}));
    EXPECT_EQ(tela->windowTitle(), QStringLiteral("Exercícios de digitação"));
    // the keyboard guide below the rest
    EXPECT_EQ(tela->size(), QSize(644, 547 + 236));

    struct Lugar {
        const char* nome;
        QRect lugar;  // in the parent's coordinates
        int pixels;   // font size
        bool negrito;
    };
    const Lugar lugares[] = {
        {"lbNumExerc", {12, 24, 41, 24}, 20, true},
        {"lbNome", {60, 8, 569, 29}, 24, true},
        {"dtInstrucao", {4, 4, 613, 53}, 13, false},
        {"dbExercLin1", {8, 4, 600, 20}, 15, true},
        {"dbExercLin2", {8, 30, 600, 20}, 15, true},
        {"dbExercLin3", {8, 57, 600, 20}, 15, true},
        {"dbExercLin4", {8, 84, 600, 20}, 15, true},
        {"edNumLinha", {8, 308, 25, 30}, 19, false},
        {"edDig", {36, 308, 592, 30}, 19, false},
        {"mmResultado", {8, 364, 621, 101}, 13, false},
        {"BitBtn1", {416, 476, 213, 30}, 13, false},
        {"lbDigitado", {0, 524, 644, 23}, 17, true},
    };
    for (const Lugar& l : lugares) {
        SCOPED_TRACE(l.nome);
        const auto* widget = tela->findChild<QWidget*>(QString::fromLatin1(l.nome));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), l.lugar);
        EXPECT_EQ(widget->font().pixelSize(), l.pixels);
        EXPECT_EQ(widget->font().bold(), l.negrito);
    }
}

TEST_F(Aula, OpensWithTheFocusInAnEmptyTypingFieldAndLineOneHighlighted)
{
    abre(umExercicio(1, {"um", "dois", "tres", "quatro"}));
    EXPECT_EQ(QApplication::focusWidget(), edDig);
    EXPECT_EQ(campo(), QString());
    EXPECT_EQ(edDig->maxLength(), 80);
    EXPECT_EQ(edDig->cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
    EXPECT_TRUE(edNumLinha->isReadOnly());
    EXPECT_EQ(edNumLinha->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(status(), QStringLiteral("Caracteres digitados"));
    EXPECT_EQ(corStatus(), cor::textoDeJanela());
    EXPECT_EQ(fundoStatus(), cor::faceDeBotao());
    EXPECT_EQ(mmResultado->document()->blockCount(), 1);
    EXPECT_EQ(corDaLinha(1), cor::marinho);
    for (int k = 2; k <= 4; ++k)
        EXPECT_EQ(corDaLinha(k), cor::agua);
    EXPECT_EQ(edDig->palette().color(QPalette::Text), cor::vermelho);
    EXPECT_EQ(edDig->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x80));
    EXPECT_FALSE(tela->licao().ModoSom());
}

TEST_F(Aula, TabMovesTheFocusThroughFieldResultsButtonAndLineBox)
{
    abre(umExercicio(1, {"abc"}));
    digita("ab");
    const char* ordem[] = {"mmResultado", "BitBtn1", "edNumLinha", "edDig"};
    for (const char* nome : ordem) {
        tecla(Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(nome));
    }
    // tabbing in selects nothing: the caret stays after the last character
    EXPECT_FALSE(edDig->hasSelectedText());
    EXPECT_EQ(edDig->cursorPosition(), 2);
}

TEST_F(Aula, ShowsTheExerciseNumberInstructionAndLines)
{
    tExercicio exercicio = umExercicio(17, {"primeira", "", "", ""}, 5, 250);
    exercicio.Instrucao.set("Use os dedos indicadores");
    exercicio.Linha2.set("a <b> & \xE7");
    abre(exercicio);

    const auto texto = [&](const char* nome) {
        return tela->findChild<QLabel*>(QString::fromLatin1(nome))->text();
    };
    EXPECT_EQ(texto("lbNumExerc"), QStringLiteral("17"));
    EXPECT_EQ(texto("dtInstrucao"),
              QStringLiteral("Use os dedos indicadores. Este exercício tem 250 toques (caracteres)."));
    EXPECT_EQ(texto("dbExercLin1"), QStringLiteral("primeira"));
    EXPECT_EQ(texto("dbExercLin2"), QStringLiteral("a <b> & ç"));
    EXPECT_EQ(texto("dbExercLin3"), QString());
    EXPECT_EQ(tela->findChild<QLabel*>(QStringLiteral("dbExercLin2"))->textFormat(), Qt::PlainText);
}

TEST_F(Aula, LineCountComesFromWhichLinesAreFilled)
{
    struct Caso {
        std::initializer_list<QByteArray> linhas;
        int contagem;
    };
    const Caso casos[] = {
        {{"a", "b", "c", "d"}, 4}, {{"a", "b", "c", ""}, 3}, {{"a", "b", "", ""}, 2},
        {{"a", "", "", ""}, 1},    {{"", "", "", ""}, 0},    {{"a", "", "c", ""}, 0},
        {{"", "b", "", ""}, 0},    {{"a", "b", "", "d"}, 0},
    };
    for (const Caso& caso : casos) {
        ExercicioAtual = umExercicio(1, caso.linhas);
        EXPECT_EQ(ContaLinhas(), caso.contagem);
    }
}

TEST_F(Aula, OneLineIsJudgedOnItsFirstCharactersByteForByte)
{
    struct Caso {
        QString digitado;
        QString resultado;
        QString status;
        QColor cor, fundo;
        QString numLinha;
    };
    const QString certa = QStringLiteral(
        "1 Linha sequencial digitada sem erro! Faltam 4 Linhas para terminar.");
    const Caso casos[] = {
        {"abc", "\n3 - Certa: [abc]", certa, cor::marinho, cor::amarelo, "2."},
        {"abcxyz", "\n6 - Certa: [abcxyz]", certa, cor::marinho, cor::amarelo, "2."},
        {"ab", "\n2 - Errada: [ab]", kErrada, cor::vermelho, cor::rosa, "1."},
        {"Abc", "\n3 - Errada: [Abc]", kErrada, cor::vermelho, cor::rosa, "1."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.digitado.toStdString());
        abre(umExercicio(1, {"abc"}, 5));
        linha(caso.digitado);
        EXPECT_EQ(resultado(), caso.resultado);
        EXPECT_EQ(status(), caso.status);
        EXPECT_EQ(corStatus(), caso.cor);
        EXPECT_EQ(fundoStatus(), caso.fundo);
        EXPECT_EQ(edNumLinha->text(), caso.numLinha);
        EXPECT_EQ(campo(), QString());
        EXPECT_EQ(UltimaTecla, '\r');
    }
    EXPECT_TRUE(boxseam::shown().empty());
}

TEST_F(Aula, FourLinesMakeOnePassAndTheHighlightFollowsTheCurrentLine)
{
    abre(umExercicio(1, {"um", "dois", "tres", "quatro"}, 5));
    const QString linhas[] = {"um", "dois", "tres"};
    for (int k = 0; k < 3; ++k) {
        linha(linhas[k]);
        EXPECT_EQ(status(), kTermine);
        // the long message is shown whole, not cut at both ends
        EXPECT_LE(QFontMetrics(lbDigitado->font()).horizontalAdvance(status()),
                  lbDigitado->contentsRect().width());
        EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
        EXPECT_EQ(tela->licao().LinhaAtual(), k + 2);
        for (int l = 1; l <= 4; ++l)
            EXPECT_EQ(corDaLinha(l), l == k + 2 ? cor::marinho : cor::agua);
    }
    linha("quatro");
    EXPECT_EQ(status(),
              QStringLiteral("1 Linha sequencial digitada sem erro! Faltam 4 Linhas para terminar."));
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("2."));
    EXPECT_EQ(tela->licao().LinhaAtual(), 1);
    EXPECT_EQ(corDaLinha(1), cor::marinho);
    EXPECT_EQ(corDaLinha(4), cor::agua);

    for (const char* l : {"um", "dois", "tres", "quatro"})
        linha(l);
    EXPECT_EQ(status(),
              QStringLiteral("2 Linhas sequenciais digitadas sem erros! Faltam 3 Linhas para terminar."));
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("3."));
    EXPECT_EQ(resultado(), QStringLiteral("\n2 - Certa: [um]\n4 - Certa: [dois]\n4 - Certa: [tres]\n"
                                          "6 - Certa: [quatro]\n2 - Certa: [um]\n4 - Certa: [dois]\n"
                                          "4 - Certa: [tres]\n6 - Certa: [quatro]"));
}

TEST_F(Aula, TwoLinesWrapBackToLineOne)
{
    abre(umExercicio(1, {"ab", "cd"}, 5));
    linha("ab");
    linha("cd");
    EXPECT_EQ(tela->licao().LinhaAtual(), 1);
    EXPECT_EQ(corDaLinha(1), cor::marinho);
    EXPECT_EQ(corDaLinha(3), cor::agua);
    linha("ab");
    EXPECT_EQ(tela->licao().LinhaAtual(), 2);
    EXPECT_TRUE(resultado().endsWith(QStringLiteral("2 - Certa: [ab]")));
}

TEST_F(Aula, WrongLineThreeGoesBackToLineOneAndItsLength)
{
    abre(umExercicio(1, {"abc", "segunda", "terceira linha", "quarta"}, 5));
    linha("abc");
    linha("segunda");
    linha("terceira");
    EXPECT_EQ(status(), kErrada);
    EXPECT_EQ(tela->licao().LinhaAtual(), 1);
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 0);
    EXPECT_EQ(corDaLinha(1), cor::marinho);
    EXPECT_EQ(corDaLinha(3), cor::agua);
    EXPECT_EQ(tela->licao().TamanhoLinha(), 3);

    digita("ab");
    EXPECT_TRUE(status().startsWith(QStringLiteral("Já foram digitados 2 caracteres")));
    digita("c");
    EXPECT_EQ(status(), QStringLiteral("A digitação chegou ao final"));
}

TEST_F(Aula, LosingTwoPassesAsksFirstAndThreeRightLinesAfterwardsPass)
{
    Exercicios[2] = umExercicio(2, {"def"});
    abre(umExercicio(1, {"abc"}, 3));
    linha("abc");
    linha("abc");
    linha("abd");
    ASSERT_EQ(caixas(), std::vector<BoxKind>{BoxKind::Confirmation});
    EXPECT_EQ(boxseam::shown()[0].text, pergunta(2));
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 0);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));

    linha("abc");
    linha("abc");
    EXPECT_EQ(caixas().size(), 1u);
    linha("abc");
    EXPECT_EQ(caixas(), (std::vector<BoxKind>{BoxKind::Confirmation, BoxKind::Information}));
    EXPECT_EQ(readFile(kArquivoAulas).size(), 24);
    EXPECT_EQ(NumExercicio, 2);
}

TEST_F(Aula, LosingOnePassAsksNothing)
{
    abre(umExercicio(1, {"abc"}, 3));
    linha("abc");
    linha("abd");
    EXPECT_TRUE(boxseam::shown().empty());
    EXPECT_EQ(status(), kErrada);
}

TEST_F(Aula, LetterListOnYesNamesEveryWrongPositionWithinTheLine)
{
    struct Caso {
        QString digitado;
        QString lista;
    };
    const Caso casos[] = {
        {"abd", "Letra na posição 3 (\"d\") errada\r"},
        {"ab", ""},  // a strict beginning: wrong, and nothing to list
        {"bac", "Letra na posição 1 (\"b\") errada\rLetra na posição 2 (\"a\") errada\r"},
        {"abdxyz", "Letra na posição 3 (\"d\") errada\r"},  // nothing past the line's end
        {"Abç", "Letra na posição 1 (\"A\") errada\rLetra na posição 3 (\"ç\") errada\r"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.digitado.toStdString());
        boxseam::clear();
        abre(umExercicio(1, {"abc"}, 5));
        linha("abc");
        linha("abc");
        boxseam::queueAnswer(BoxAnswer::Yes);
        linha(caso.digitado);
        ASSERT_EQ(caixas(), (std::vector<BoxKind>{BoxKind::Confirmation, BoxKind::Information}));
        EXPECT_EQ(boxseam::shown()[1].text, caso.lista);
    }
}

TEST_F(Aula, ExerciseWithAGapCountsNoLinesAndNeverPasses)
{
    abre(umExercicio(1, {"abc", "", "def", ""}, 1));
    for (int vez = 0; vez < 3; ++vez) {
        linha("abc");
        EXPECT_EQ(status(), kTermine);
        EXPECT_EQ(tela->licao().LinhaAtual(), 1);
        EXPECT_EQ(tela->licao().LinhasSeguidas(), 0);
        EXPECT_EQ(edNumLinha->text(), QStringLiteral("1."));
    }
    EXPECT_TRUE(boxseam::shown().empty());
}

TEST_F(Aula, NoLinesRequiredPassesOnTheFirstEnterThatLeavesTheCountAtZero)
{
    Exercicios[2] = umExercicio(2, {"seguinte"});
    abre(umExercicio(1, {"abc"}, 0));
    linha("abc");  // a right last line: the count is 1, not 0
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 1);
    EXPECT_TRUE(boxseam::shown().empty());
    linha("xyz");
    EXPECT_EQ(caixas(), std::vector<BoxKind>{BoxKind::Information});
    EXPECT_EQ(NumExercicio, 2);

    boxseam::clear();
    NumExercicio = 1;
    abre(umExercicio(1, {"ab", "cd"}, 0));
    linha("ab");  // right, but not the last line
    EXPECT_EQ(caixas(), std::vector<BoxKind>{BoxKind::Information});
}

TEST_F(Aula, EnterOnAnEmptyFieldAsksForTheLineAndChangesNothing)
{
    abre(umExercicio(1, {"abc"}, 5));
    linha("abc");
    const QString antes = resultado();
    const double inicio = InicioLinha;
    const double maximo = TempoMaximo;
    clockseam::advance(5000);
    enter();
    EXPECT_EQ(status(), QStringLiteral("Digite a linha para teclar ENTER!"));
    EXPECT_EQ(corStatus(), cor::textoDeJanela());
    EXPECT_EQ(fundoStatus(), cor::amarelo);
    EXPECT_EQ(resultado(), antes);
    EXPECT_EQ(edNumLinha->text(), QStringLiteral("2."));
    EXPECT_EQ(InicioLinha, inicio);
    EXPECT_EQ(TempoMaximo, maximo);

    UltimaTecla = 'q';
    enter();
    EXPECT_EQ(UltimaTecla, 'q');
}

TEST_F(Aula, EachLinesFirstCharacterStartsItsClock)
{
    abre(umExercicio(1, {"abcdef"}, 5));
    EXPECT_FALSE(tela->licao().TempoIniciado());
    clockseam::set(as(10, 0, 30));
    digita("a");
    EXPECT_EQ(status(), QStringLiteral("Já foram digitados 1 caracteres em 00:00:00 minutos."));
    EXPECT_TRUE(tela->licao().TempoIniciado());
    EXPECT_DOUBLE_EQ(InicioLinha, (10 * 3600 + 30) / 86400.0);
    clockseam::set(as(10, 1));
    digita("b");
    EXPECT_EQ(status(), QStringLiteral("Já foram digitados 2 caracteres em 00:00:30 minutos."));
    linha("c");
    EXPECT_NEAR(TempoMaximo, 30 / 86400.0, 1e-9);
    EXPECT_FALSE(tela->licao().TempoIniciado());

    // the next line's clock waits for its first character
    clockseam::set(as(10, 5));
    digita("a");
    EXPECT_DOUBLE_EQ(InicioLinha, (10 * 3600 + 300) / 86400.0);
    EXPECT_EQ(status(), QStringLiteral("Já foram digitados 1 caracteres em 00:00:00 minutos."));
}

TEST_F(Aula, ClosesByButtonKeyAndMenuWithoutWritingAnything)
{
    struct Caso {
        const char* como;
        std::function<void()> fecha;
    };
    const Caso casos[] = {
        {"button", [this] {
             QTest::mouseClick(tela->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                               Qt::LeftButton);
         }},
        {"F10", [] { tecla(Qt::Key_F10); }},
        {"menu", [this] { tela->findChild<QAction*>(QStringLiteral("Finalizar1"))->trigger(); }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.como);
        abre(umExercicio(1, {"abc"}, 1));
        digita("abc");
        caso.fecha();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !tela->isVisible(); }));
    }
    EXPECT_TRUE(readFile(kArquivoAulas).isEmpty());
    EXPECT_TRUE(boxseam::shown().empty());
}

TEST_F(Aula, EscapeDoesNotCloseTheLesson)
{
    abre(umExercicio(1, {"abc"}, 1));
    tecla(Qt::Key_Escape);
    // on to the button, past the results
    tecla(Qt::Key_Tab);
    tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), tela->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
    tecla(Qt::Key_Escape);
    EXPECT_TRUE(tela->isVisible());
}
