// A lab machine under the C locale: the program still writes and reads dates
// as in Brazil. This test runs with LC_ALL=C.UTF-8 (see CMakeLists.txt), and
// only the application object sets the program's locale.

#include "fixture_alunos.h"
#include "support/teclado.h"

#include "data/records.h"
#include "platform/clock.h"
#include "students/uCadAlunos.h"

#include <QApplication>
#include <QDateEdit>
#include <QLocale>
#include <QTest>

namespace {

class Idioma : public ComAlunos {};

TEST_F(Idioma, DatesTimesAndNumbersAreBrazilianUnderTheCLocale)
{
    ASSERT_EQ(QLocale::system().language(), QLocale::C) << "the test must run under the C locale";
    EXPECT_EQ(QLocale().name(), QStringLiteral("pt_BR"));
    EXPECT_EQ(shortDate(QDate(2026, 12, 10)), QStringLiteral("10/12/2026"));
    EXPECT_EQ(longTime(9.0 / 86400), QStringLiteral("00:00:09"));
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1,5"));
}

TEST_F(Idioma, TheBirthDatePickerTakesTypedDigits)
{
    TfCadAlunos tela;
    tela.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
    auto* data = tela.findChild<QDateEdit*>(QStringLiteral("dtpDataNasc"));
    ASSERT_NE(data, nullptr);
    // name, password, e-mail, period, birth date: the picker is entered at its day
    for (int i = 0; i < 4; ++i)
        tecla(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), data);

    digita(QStringLiteral("25121990"));
    EXPECT_EQ(data->date(), QDate(1990, 12, 25));
    EXPECT_EQ(data->text(), QStringLiteral("25/12/1990"));

    // back into it from the name: the year alone
    tecla(Qt::Key_Tab);
    tecla(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), data);
    digita(QStringLiteral("2001"));
    EXPECT_EQ(data->date(), QDate(2001, 12, 25));
}

}  // namespace
