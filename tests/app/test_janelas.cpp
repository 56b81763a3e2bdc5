// The shell's windows as the window system sees them: the caption the task
// bar shows, the frames drawn on their edges, ENTER on a focused button, and
// the focus coming back to the main menu where no window manager hands it.

#include "fixture_app.h"
#include "support/modal.h"
#include "support/teclado.h"

#include "app/uPrin.h"
#include "app/uSobre.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

class JanelasTest : public AppTest {};

// The colour of each pixel of a frame, from the window's edge inwards.
using Bordas = std::vector<QPalette::ColorRole>;

// Checks the middle of each edge of the window's picture against the frame's
// colours, read from the edge inwards.
void confereMoldura(QWidget& janela, const Bordas& bordas)
{
    const QImage foto = janela.grab().toImage();
    const QPalette paleta = janela.findChild<QWidget*>(QStringLiteral("Panel1"))->palette();
    const int w = foto.width();
    const int h = foto.height();
    // the top and left edges take the light colour of a raised bevel, the
    // bottom and right edges the dark one; a sunken bevel the other way round
    const auto oposto = [](QPalette::ColorRole papel) {
        return papel == QPalette::Light ? QPalette::Dark : papel == QPalette::Dark ? QPalette::Light : papel;
    };
    for (int i = 0; i < int(bordas.size()); ++i) {
        SCOPED_TRACE(i);
        const QRgb altoEsquerda = paleta.color(bordas[size_t(i)]).rgb();
        const QRgb baixoDireita = paleta.color(oposto(bordas[size_t(i)])).rgb();
        EXPECT_EQ(foto.pixel(w / 2, i), altoEsquerda) << "top";
        EXPECT_EQ(foto.pixel(i, h / 2), altoEsquerda) << "left";
        EXPECT_EQ(foto.pixel(w / 2, h - 1 - i), baixoDireita) << "bottom";
        EXPECT_EQ(foto.pixel(w - 1 - i, h / 2), baixoDireita) << "right";
    }
}

}  // namespace

TEST_F(JanelasTest, TheMainMenusCaptionIsWhatTheTaskBarShows)
{
    TfPrin menu;
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Quiravo - Curso de digitação"));
}

TEST_F(JanelasTest, FramesAreDrawnOnTheWindowsOwnEdges)
{
    {
        SCOPED_TRACE("main menu: a raised bevel of one pixel");
        TfPrin menu;
        confereMoldura(menu, {QPalette::Light});
    }
    {
        SCOPED_TRACE("about screen: a line, a raised and a sunken bevel of two pixels each");
        TfSobre sobre;
        confereMoldura(sobre, {QPalette::WindowText, QPalette::Light, QPalette::Light, QPalette::Dark,
                               QPalette::Dark});
    }
}

TEST_F(JanelasTest, AFocusedButtonAnswersEnter)
{
    {
        SCOPED_TRACE("the about box's OK");
        TfSobre sobre;
        whenModal([](QWidget*) { tecla(Qt::Key_Return); });
        EXPECT_EQ(sobre.exec(), QDialog::Rejected);
        EXPECT_FALSE(sobre.isVisible());
    }
    SCOPED_TRACE("the main menu's buttons");
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    esvaziaEventos();
    EXPECT_EQ(comFoco(), botao("bbFazerAula"));
    tecla(Qt::Key_Tab);
    tecla(Qt::Key_Tab);
    ASSERT_EQ(comFoco(), botao("bbSair"));
    tecla(Qt::Key_Return);
    EXPECT_FALSE(menu()->isVisible());
}

TEST_F(JanelasTest, TheMainMenuTakesTheFocusBackWhenABoxCloses)
{
    criaCatalogo();
    criaArquivoAlunosVazio();
    inicia();
    esvaziaEventos();
    {
        CaixasReais reais;
        whenModal([](QWidget*) { tecla(Qt::Key_Return); });
        showMessage(BoxKind::Information, QStringLiteral("Uma caixa"));
    }
    ASSERT_TRUE(espera([this] { return QApplication::activeWindow() == menu(); }));
    tecla(Qt::Key_Escape);
    EXPECT_FALSE(menu()->isVisible());
}
