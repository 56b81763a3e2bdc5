// The keyboard guide on the exercise screen: it lights the keys of what the
// line asks for next, as typed, and F4 puts it away and brings it back.

#include "fixture_aula.h"

#include "platform/preferences.h"
#include "platform/system.h"
#include "ui/tecladonatela.h"
#include "ui/uAjusta.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class Guia : public Aula {
protected:
    TecladoNaTela* teclado() const { return tela->findChild<TecladoNaTela*>(QStringLiteral("teclado")); }

    // the names of the keys lit, in the keyboard's order
    QStringList acesas() const
    {
        QStringList nomes;
        for (const int tecla : teclado()->acesas())
            nomes << teclado::abnt2()[size_t(tecla)].nome;
        return nomes;
    }
};

TEST_F(Guia, TheLitKeyFollowsTheLineAsTyped)
{
    abre(umExercicio(1, {"fA \xE7", "j"}, 5));
    const struct {
        const char* depois;  // typed so far in the line
        QStringList acesas;
        const char* dica;
    } passos[] = {
        {"", {"F"}, "F: indicador esquerdo"},
        {"f", {"A", "Shift direito"}, "A: mínimo esquerdo + Shift direito: mínimo direito"},
        {"A", {"Espaço"}, "Espaço: polegar"},
        {" ", {"Ç"}, "Ç: mínimo direito"},
        // a wrong letter moves the guide on all the same: the verdict is at ENTER
        {"x", {"Enter"}, "Enter: mínimo direito"},
    };
    for (const auto& passo : passos) {
        SCOPED_TRACE(passo.depois);
        digita(QString::fromUtf8(passo.depois));
        EXPECT_EQ(acesas(), passo.acesas);
        EXPECT_TRUE(teclado()->dica().startsWith(QString::fromUtf8(passo.dica))) << teclado()->dica().toStdString();
    }
    enter();  // wrong: line 1 again
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("F")});
    linha(QStringLiteral("fA ç"));
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("J")});
}

// An accented letter is two strokes: the dead key, then the letter; an input
// method hands the dead key's release to the field and the letter composed.
TEST_F(Guia, AnAccentedLetterLightsItsDeadKeyThenItsLetter)
{
    abre(umExercicio(1, {"\xE3o"}, 5));
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("~")});
    QTest::sendKeyEvent(QTest::Release, comFoco(), Qt::Key_Dead_Tilde, QString(), Qt::NoModifier);
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("A")});
    QInputMethodEvent composto;
    composto.setCommitString(QStringLiteral("ã"));
    QApplication::sendEvent(comFoco(), &composto);
    EXPECT_EQ(campo(), QStringLiteral("ã"));
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("O")});

    // without an input method the dead key's press arrives
    abre(umExercicio(1, {"\xEA"}, 5));
    EXPECT_EQ(acesas(), (QStringList{QStringLiteral("~"), QStringLiteral("Shift")}));
    QTest::sendKeyEvent(QTest::Press, comFoco(), Qt::Key_Dead_Circumflex, QString(), Qt::ShiftModifier);
    EXPECT_EQ(acesas(), QStringList{QStringLiteral("E")});
}

TEST_F(Guia, FromExerciseFortyTwoTheKeyboardShowsTheNotes)
{
    abre(umExercicio(42, {"cde"}, 5));
    EXPECT_TRUE(acesas().isEmpty());
    EXPECT_TRUE(teclado()->dica().contains(QStringLiteral("dó, ré, mi")));
}

// F4 puts the guide away and brings it back; the next lessons on this
// computer open as the student left it.
TEST_F(Guia, FFourHidesAndShowsTheKeyboardAndTheNextLessonRemembers)
{
    abre(umExercicio(1, {"abc"}, 5));
    const int comTeclado = tela->height();
    const int statusEmbaixo = tela->findChild<QLabel*>(QStringLiteral("lbDigitado"))->geometry().bottom() + 1;
    tecla(Qt::Key_F4);
    EXPECT_FALSE(teclado()->isVisible());
    EXPECT_EQ(tela->height(), statusEmbaixo);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(edDig));
    digita("a");
    EXPECT_EQ(campo(), QStringLiteral("a"));

    abre(umExercicio(1, {"abc"}, 5));
    EXPECT_FALSE(teclado()->isVisible());
    tecla(Qt::Key_F4);
    EXPECT_TRUE(teclado()->isVisible());
    EXPECT_EQ(tela->height(), comTeclado);
    EXPECT_TRUE(preferences::keyboardShown());
}

// The screen with its keyboard fits the display at every width band, and the
// keyboard lies below the rest, as wide as the panels.
TEST_F(Guia, TheScreenWithItsKeyboardFitsEveryDisplay)
{
    const QSize telas[] = {{800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    for (const QSize& display : telas) {
        SCOPED_TRACE(display.width());
        LarguraTela = display.width();
        abre(umExercicio(1, {"abc"}, 5));
        EXPECT_LE(tela->frameGeometry().height(), display.height());
        EXPECT_LE(tela->width(), display.width());
        const QRect status = tela->findChild<QLabel*>(QStringLiteral("lbDigitado"))->geometry();
        EXPECT_GE(teclado()->y(), status.bottom());
        EXPECT_LE(teclado()->geometry().bottom(), tela->height());
    }
}

}  // namespace
