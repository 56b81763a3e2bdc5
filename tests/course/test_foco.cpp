// The exercise screen where Tab takes the focus: ENTER does what the focused
// control does, and nothing ends the lesson but its own button.

#include "fixture_aula.h"
#include "support/teclado.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TEST_F(Aula, EnterWhereverTabLeavesTheFocusEndsTheLessonOnlyOnItsButton)
{
    abre(umExercicio(1, {"abc"}));
    auto* finalizar = tela->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ::digita(QStringLiteral("ab"));

    // backwards from the typing field: the line-number box, which types into it
    ::tecla(Qt::Key_Backtab);
    ASSERT_EQ(comFoco(), edNumLinha);
    ::tecla(Qt::Key_Return);
    EXPECT_EQ(resultado(), QStringLiteral("\n2 - Errada: [ab]"));
    EXPECT_TRUE(tela->isVisible());

    ::tecla(Qt::Key_Tab);
    ASSERT_EQ(comFoco(), edDig);
    ::digita(QStringLiteral("abc"));
    ::tecla(Qt::Key_Tab);
    ASSERT_EQ(comFoco(), mmResultado);
    ::tecla(Qt::Key_Return);
    ::tecla(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(tela->isVisible()) << "ENTER in the results list ended the lesson";
    EXPECT_EQ(campo(), QStringLiteral("abc"));
    EXPECT_EQ(tela->licao().LinhasSeguidas(), 0);

    ::tecla(Qt::Key_Tab);
    ASSERT_EQ(comFoco(), finalizar);
    ::tecla(Qt::Key_Return);
    EXPECT_FALSE(tela->isVisible());
}
