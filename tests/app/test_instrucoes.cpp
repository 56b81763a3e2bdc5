// The instructions screen: its pages, how it opens and closes, and "Sobre".

#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "app/uInstrucoes.h"
#include "app/uPrin.h"
#include "app/uSobre.h"
#include "platform/system.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

class InstrucoesTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        criaCatalogo();
        criaArquivoAlunosVazio();
        inicia();
        esvaziaEventos();
    }

    // Opens the instructions from the main menu and acts on them while open.
    void comInstrucoes(std::function<void(TfInstrucoes*)> act)
    {
        bool aberta = false;
        whenModal([&](QWidget* tela) {
            aberta = true;
            act(qobject_cast<TfInstrucoes*>(tela));
        });
        QTest::mouseClick(botao("BitBtn3"), Qt::LeftButton);
        EXPECT_TRUE(aberta);
        EXPECT_EQ(fInstrucoes, nullptr);
    }
};

QPlainTextEdit* memo(QWidget* tela, int n)
{
    return tela->findChild<QPlainTextEdit*>(QStringLiteral("Memo%1").arg(n));
}

}  // namespace

TEST_F(InstrucoesTest, OpensOnTheFirstPageWithEveryTextAtItsTopEachTime)
{
    std::vector<int> abas;
    std::vector<int> rolagens;
    for (int vez = 0; vez < 2; ++vez) {
        comInstrucoes([&](TfInstrucoes* tela) {
            auto* paginas = tela->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
            abas.push_back(paginas->currentIndex());
            int maior = 0;
            for (int n = 1; n <= 7; ++n)
                maior = std::max(maior, memo(tela, n)->verticalScrollBar()->value());
            rolagens.push_back(maior);
            // leave it on page 3 with its text scrolled down
            paginas->setCurrentIndex(2);
            QTest::mouseClick(memo(tela, 3)->viewport(), Qt::LeftButton);
            EXPECT_EQ(QApplication::focusWidget(), memo(tela, 3));
            tecla(Qt::Key_End, Qt::ControlModifier);
            tecla(Qt::Key_Escape);
        });
    }
    EXPECT_EQ(abas, (std::vector<int>{0, 0}));
    EXPECT_EQ(rolagens, (std::vector<int>{0, 0}));
}

TEST_F(InstrucoesTest, HasTheSevenPagesWithTheirReadOnlyTexts)
{
    QStringList titulos;
    QStringList textos;
    bool somenteLeitura = true;
    QString titulo;
    comInstrucoes([&](TfInstrucoes* tela) {
        titulo = tela->windowTitle();
        auto* paginas = tela->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        for (int i = 0; i < paginas->count(); ++i)
            titulos << paginas->tabText(i);
        for (int n = 1; n <= 7; ++n) {
            QPlainTextEdit* m = memo(tela, n);
            paginas->setCurrentIndex(n - 1);
            const QString antes = m->toPlainText();
            QTest::mouseClick(m->viewport(), Qt::LeftButton);
            EXPECT_EQ(QApplication::focusWidget(), m);
            digita("xyz");
            tecla(Qt::Key_Backspace);
            somenteLeitura = somenteLeitura && m->isReadOnly() && m->toPlainText() == antes;
            textos << antes;
            EXPECT_EQ(m->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x00));
            EXPECT_EQ(m->palette().color(QPalette::Text), QColor(0x80, 0x00, 0x00));
        }
        tela->close();
    });
    EXPECT_EQ(titulo, QStringLiteral("Instruções"));
    EXPECT_EQ(titulos, (QStringList{QStringLiteral("Instruções Gerais"), QStringLiteral("o \"Ç\""),
                                    QStringLiteral("A posição dos dedos"), QStringLiteral("O Teclado"),
                                    QStringLiteral("A Digitação"), QStringLiteral("O Método"),
                                    QStringLiteral("Postura")}));
    EXPECT_TRUE(somenteLeitura);
    ASSERT_EQ(textos.size(), 7);
    for (int n = 1; n <= 7; ++n) {
        QFile ajuda(QStringLiteral(":/assets/help/aba%1.txt").arg(n));
        if (ajuda.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(textos[n - 1], QString::fromUtf8(ajuda.readAll())) << n;
        }
        EXPECT_FALSE(textos[n - 1].isEmpty()) << n;
    }
}

TEST_F(InstrucoesTest, SobreShowsTheAboutBoxAndComesBackToTheSamePage)
{
    bool sobreAberta = false;
    int abaDepois = -1;
    std::vector<int> esperas;
    bool instrucoesAtivas = false;
    comInstrucoes([&](TfInstrucoes* tela) {
        tela->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(4);
        systemseam::clear();
        whenModal(
            [&](QWidget* sobre) {
                sobreAberta = sobre == fSobre;
                QTest::mouseClick(sobre->findChild<QWidget*>(QStringLiteral("Button1")), Qt::LeftButton);
            },
            tela);
        QTest::mouseClick(tela->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        esperas = systemseam::sleeps();
        abaDepois = tela->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->currentIndex();
        instrucoesAtivas = QTest::qWaitForWindowActive(tela);
        tela->close();
    });
    EXPECT_TRUE(sobreAberta);
    EXPECT_EQ(esperas, std::vector<int>{kEsperaPerdaFocoMs});
    EXPECT_EQ(abaDepois, 4);
    EXPECT_TRUE(instrucoesAtivas);
}

TEST_F(InstrucoesTest, EnterPressesSobreExceptInsideTheTextsAndEscActsAsVoltar)
{
    int sobreAberturas = 0;
    bool fechouComEsc = false;
    comInstrucoes([&](TfInstrucoes* tela) {
        QTest::mouseClick(memo(tela, 1)->viewport(), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), memo(tela, 1));
        tecla(Qt::Key_Return);
        auto* abas = tela->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        whenModal(
            [&](QWidget*) {
                ++sobreAberturas;
                tecla(Qt::Key_Escape);
            },
            tela);
        tecla(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), abas->tabBar());
        tecla(Qt::Key_Return);
        EXPECT_TRUE(espera([tela] { return tela->isActiveWindow(); }));
        tecla(Qt::Key_Escape);
        fechouComEsc = !tela->isVisible();
    });
    EXPECT_EQ(sobreAberturas, 1);
    EXPECT_TRUE(fechouComEsc);
}
