// The about screen: how it closes, and its focus-loss rule.

#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "app/uPrin.h"
#include "app/uSobre.h"
#include "platform/system.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class SobreTest : public AppTest {};

}  // namespace

TEST_F(SobreTest, TheAboutBoxClosesOnOkEscOrThePhotographAfterOneWaitOf1500Ms)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    esvaziaEventos();
    for (const QString& como : {QStringLiteral("Button1"), QStringLiteral("Esc"), QStringLiteral("Image1")}) {
        SCOPED_TRACE(como.toStdString());
        systemseam::clear();
        bool eraASobre = false;
        whenModal([&](QWidget* tela) {
            eraASobre = tela == fSobre;
            if (como == QLatin1String("Esc"))
                tecla(Qt::Key_Escape);
            else
                QTest::mouseClick(tela->findChild<QWidget*>(como), Qt::LeftButton);
        });
        const int resultado = fSobre->exec();
        EXPECT_TRUE(eraASobre);
        EXPECT_EQ(resultado, QDialog::Rejected);
        EXPECT_FALSE(fSobre->isVisible());
        EXPECT_EQ(systemseam::sleeps(), std::vector<int>{kEsperaPerdaFocoMs});
    }
}

TEST_F(SobreTest, ClicksOnTheTextsAndTheLogoDoNotCloseTheAboutBox)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    std::vector<std::pair<QString, bool>> abertaDepois;
    whenModal([&](QWidget* tela) {
        for (const char* nome : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label7", "Image2"}) {
            QTest::mouseClick(tela->findChild<QWidget*>(QString::fromLatin1(nome)), Qt::LeftButton);
            abertaDepois.emplace_back(QString::fromLatin1(nome), tela->isVisible());
        }
        tela->close();
    });
    fSobre->exec();
    ASSERT_EQ(abertaDepois.size(), std::size_t(7));
    for (const auto& [nome, aberta] : abertaDepois)
        EXPECT_TRUE(aberta) << nome.toStdString();
}

TEST_F(SobreTest, TheSplashStaysOpenAndEscClosesItWithTheWait)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    esvaziaEventos();
    TfSobre* splash = programa->splash();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(systemseam::sleeps(), std::vector<int>{kEsperaPerdaFocoMs});

    splash->activateWindow();
    ASSERT_TRUE(espera([&] { return splash->isActiveWindow(); }));
    systemseam::clear();
    tecla(Qt::Key_Escape);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(systemseam::sleeps(), std::vector<int>{kEsperaPerdaFocoMs});
    EXPECT_FALSE(fSobre->isVisible()) << "the rule closes the hidden about box, which stays hidden";
    EXPECT_TRUE(menu()->isVisible());
}

TEST_F(SobreTest, TheScreenHasItsTextsAndContactLines)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    const std::vector<std::pair<const char*, QString>> textos = {
        {"Label1", QStringLiteral("Quiravo")},
        {"Label2", QStringLiteral("Curso de Digitação")},
        {"Label4", QStringLiteral("Curso de Digitação completo")},
        {"Label3", QStringLiteral("Versão 2.1")},
        {"Label5", QStringLiteral("contato@quiravo.com.br")},
        {"Label7", QStringLiteral("www.quiravo.com.br")},
    };
    for (const auto& [nome, texto] : textos)
        EXPECT_EQ(fSobre->findChild<QLabel*>(QString::fromLatin1(nome))->text(), texto) << nome;
    EXPECT_EQ(fSobre->findChild<QPushButton*>(QStringLiteral("Button1"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(fSobre->windowTitle(), QStringLiteral("Sobre"));
    EXPECT_TRUE(fSobre->windowFlags() & Qt::FramelessWindowHint);
    // adapted to a 1280-pixel display: 302 x 287 times 1.25
    EXPECT_EQ(fSobre->size(), QSize(378, 359));
}
