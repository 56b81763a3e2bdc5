// The class list before it is enrolled, at every width band: every line is
// read in full, the reason of a line left out included, and the repeated
// lines go in only when the teacher says so.

#include "fixture_app.h"
#include "support/teclado.h"

#include "students/uMatricula.h"
#include "app/uPrin.h"
#include "platform/system.h"
#include "ui/uAjusta.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTest>

namespace {

// What of the list's rows is cut: a row whose text, wrapped at the width the
// row leaves it, needs more room than the row has, or a row that reaches
// past what the list shows of its width.
QStringList linhasCortadas(const QListWidget* lista)
{
    QStringList cortadas;
    const int margem = lista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lista) + 1;
    const QFontMetrics fm(lista->font());
    for (int i = 0; i < lista->count(); ++i) {
        const QListWidgetItem* item = lista->item(i);
        const QRect linha = lista->visualItemRect(item);
        const QRect area(0, 0, linha.width() - 2 * margem, 100000);
        const QRect texto = fm.boundingRect(area, Qt::TextWordWrap, item->text());
        if (texto.width() > area.width() || texto.height() > linha.height()
            || linha.right() >= lista->viewport()->width())
            cortadas << QStringLiteral("\"%1\" precisa %2x%3, tem %4x%5 de %6")
                            .arg(item->text())
                            .arg(texto.width())
                            .arg(texto.height())
                            .arg(area.width())
                            .arg(linha.height())
                            .arg(lista->viewport()->width());
    }
    return cortadas;
}

class TelaDaMatricula : public AppTest {
protected:
    void naLargura(int largura)
    {
        LarguraTela = largura;
        systemseam::setDisplayWidth(largura);
    }

    // A list with a line of every kind: enrolled, refused for each reason,
    // repeated in the course and in the list, and one beyond the places left.
    static std::vector<LinhaDaTurma> turma()
    {
        std::vector<LinhaDaTurma> lidas = LeListaDaTurma("Nome;E-mail\r\n"
                                                         "Ana Beatriz;ana@escola.br\r\n"
                                                         ";sem nome\r\n"
                                                         "\xC5\x81ukasz Nowak;lukasz.nowak@escola.br\r\n"
                                                         "Maria Aparecida dos Santos de Oliveira Neta\r\n"
                                                         "Jo\xC3\xA3o\tPedro\r\n"
                                                         "Heloísa Sá;heloisa.sa@escola.br\r\n"
                                                         "Helo\xC3\xADsa S\xC3\xA1;\r\n"
                                                         "Carlos Eduardo;ana@escola.br\r\n"
                                                         "Bernardo Figueiredo de Albuquerque;b@escola.br\r\n"
                                                         "\xE5\xBC\xA0\xE4\xBC\x9F Zhang Wei;zhang.wei@escola.br\r\n");
        MarcaRepetidas(lidas, {{7, QStringLiteral("Heloisa Sa"), QStringLiteral("HELOISA.SA@escola.br")}});
        return lidas;
    }
};

TEST_F(TelaDaMatricula, EveryLineAndItsReasonIsReadInFullAtEveryWidthBand)
{
    for (const int largura : {800, 1024, 1280}) {
        SCOPED_TRACE(largura);
        naLargura(largura);
        TfMatricula tela(QStringLiteral("/home/professora/Documentos/turma-8B.csv"), turma(), 2);
        tela.show();
        esvaziaEventos();
        const auto* lista = tela.findChild<QListWidget*>(QStringLiteral("lbLista"));
        ASSERT_EQ(lista->count(), 10);
        EXPECT_EQ(lista->item(2)->text(), QStringLiteral("Fica de fora, linha 4: Łukasz Nowak (lukasz.nowak@escola.br)"
                                                         " - O nome tem o caractere \"Ł\", que o curso não guarda."));
        EXPECT_EQ(lista->item(4)->text(),
                  QStringLiteral("Fica de fora, linha 6: João\u25A1Pedro - O nome tem um caractere de controle, que "
                                 "não se vê, na posição 5."));
        EXPECT_EQ(linhasCortadas(lista), QStringList());
        // and once the repeated lines go in, the places run out
        QTest::mouseClick(tela.findChild<QCheckBox*>(QStringLiteral("cbRepetidas")), Qt::LeftButton, {},
                          QPoint(8, 8));
        esvaziaEventos();
        EXPECT_EQ(lista->item(5)->text(),
                  QStringLiteral("Repetido, mas matriculado, linha 7: Heloísa Sá (heloisa.sa@escola.br) - "
                                 "\"Heloisa Sa\" já está no curso, com o código 7."));
        EXPECT_EQ(lista->item(8)->text(),
                  QStringLiteral("Fica de fora, linha 10: Bernardo Figueiredo de Albuquerque (b@escola.br) - O "
                                 "curso comporta no máximo 100 alunos."));
        EXPECT_EQ(linhasCortadas(lista), QStringList());
    }
}

// The box decides which lines are counted and enrolled, and F5 waits for a
// line to enrol.
TEST_F(TelaDaMatricula, TheRepeatedLinesGoInOnlyWhenTheTeacherSaysSo)
{
    std::vector<LinhaDaTurma> lidas = LeListaDaTurma("Ana\nBia\n");
    MarcaRepetidas(lidas, {{1, QStringLiteral("ANA"), {}}, {2, QStringLiteral("bia"), {}}});
    TfMatricula tela(QStringLiteral("turma.txt"), lidas, 99);
    tela.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
    const auto* resumo = tela.findChild<QLabel*>(QStringLiteral("lbResumo"));
    auto* repetidas = tela.findChild<QCheckBox*>(QStringLiteral("cbRepetidas"));
    const auto* matricular = tela.findChild<QWidget*>(QStringLiteral("bbMatricular"));
    EXPECT_FALSE(repetidas->accessibleName().isEmpty());

    tecla(Qt::Key_Space);  // the first period, where the focus starts
    EXPECT_EQ(tela.periodo(), 0);
    EXPECT_EQ(resumo->text(), QStringLiteral("Alunos a matricular, sem senha: 0. Linhas que ficam de fora: 2."));
    EXPECT_FALSE(matricular->isEnabled());

    QTest::mouseClick(repetidas, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(resumo->text(), QStringLiteral("Alunos a matricular, sem senha: 2. Linhas que ficam de fora: 0."));
    EXPECT_TRUE(matricular->isEnabled());
    EXPECT_EQ(Aceitas(tela.turma()), 2);

    tecla(Qt::Key_Space);  // the box has the focus after the click
    EXPECT_FALSE(repetidas->isChecked());
    EXPECT_EQ(Aceitas(tela.turma()), 0);
    EXPECT_FALSE(matricular->isEnabled());
}

}  // namespace
