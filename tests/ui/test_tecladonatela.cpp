// The keyboard drawn on a screen: the heat map's colours of its keys, and
// what a keystroke paints again.

#include "ui/aparencia.h"
#include "ui/tecladonatela.h"

#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <QtMath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

TEST(TecladoNaTela, TheHeatGoesFromGreenThroughYellowToRedAndAKeyWithoutOneStaysWhite)
{
    const struct {
        std::optional<double> calor;
        int matiz;  // -1: no colour
    } casos[] = {{0, 120}, {0.5, 60}, {1, 0}, {std::nullopt, -1}};
    std::vector<QColor> cores;
    for (const auto& caso : casos) {
        const QColor cor = TecladoNaTela::corDoCalor(caso.calor);
        EXPECT_EQ(cor.isValid() ? cor.hsvHue() : -1, caso.matiz) << caso.calor.value_or(-1);
        cores.push_back(cor);
    }

    TecladoNaTela teclado;
    teclado.mostraCores(cores, std::vector<QString>(cores.size()), QStringLiteral("Erros de cada tecla"));
    EXPECT_EQ(teclado.corDa(0), cores[0]);
    EXPECT_EQ(teclado.corDa(3), aparencia::kBranco);
}

// A window holding a keyboard as large as itself, straight on the window or
// on a plain widget inside it, shown and painted.
class ComTeclado : public QWidget {
public:
    enum class Onde { NaJanela, NumaPagina };

    ComTeclado(QSize tamanho, Onde onde)
        : pagina_(this), teclado(onde == Onde::NaJanela ? static_cast<QWidget*>(this) : &pagina_)
    {
        resize(tamanho);
        pagina_.resize(tamanho);
        teclado.resize(tamanho);
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
        QCoreApplication::processEvents();
    }

    // the guide to the next character, painted
    void guia(std::optional<QChar> proximo, bool mortaDigitada)
    {
        teclado.mostraProximo(proximo, mortaDigitada);
        QCoreApplication::processEvents();
    }
    // what the window shows: its pixels as the screen last got them
    QImage naTela() const { return screen()->grabWindow(winId()).toImage().convertToFormat(QImage::Format_RGB32); }
    // the same, all of it painted afresh
    QImage tudoPintado()
    {
        repaint();
        return naTela();
    }

private:
    QWidget pagina_;

public:
    TecladoNaTela teclado;
};

// The paint events a widget receives: the region of each.
class Pinturas : public QObject {
public:
    explicit Pinturas(QWidget* w) { w->installEventFilter(this); }
    QRegion pedida;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            pedida += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// a line with keys far apart, Shift on either hand, dead keys and AltGr
const QString kLinha = QStringLiteral("Fáj ç?Ê/1 Qp~ ^zÇ,\"é_ º");

// The keys lit and put out and the text under the keys come and go with the
// keys, each drawn again only where it changes: the window then shows what
// painting it all afresh shows, the keyboard as large as on the exercise
// screen on displays of each width band.
TEST(TecladoNaTela, WhatChangesIsPaintedAgainAndNothingIsLeftOfWhatWent)
{
    for (const int largura : {800, 1024, 1280, 1600}) {
        SCOPED_TRACE(largura);
        const QSize tamanho = TecladoNaTela::kTamanhoProjeto * (largura / 1280.0);
        ComTeclado naJanela(tamanho, ComTeclado::Onde::NaJanela);
        ComTeclado numaPagina(tamanho, ComTeclado::Onde::NumaPagina);
        for (ComTeclado* tela : {&naJanela, &numaPagina}) {
            for (const QChar c : kLinha) {
                tela->guia(c, false);
                tela->guia(c, true);
            }
            tela->guia(std::nullopt, false);
            const QImage mostrada = tela->naTela();
            EXPECT_EQ(mostrada, tela->tudoPintado());
        }
        // the text under the keys comes out the same copied from its
        // picture as written in place
        EXPECT_EQ(naJanela.naTela(), numaPagina.naTela());
    }
}

// A keystroke that lights another key repaints the key put out, the key lit
// and the text under the keys, and none of the others, not even the last row
// of keys, which the line of the text touches.
TEST(TecladoNaTela, AGuideRepaintsOnlyTheKeysThatChangeAndTheTextUnderThem)
{
    ComTeclado tela(TecladoNaTela::kTamanhoProjeto, ComTeclado::Onde::NaJanela);
    const TecladoNaTela& teclado = tela.teclado;
    tela.guia(QChar(u'f'), false);
    Pinturas pinturas(&tela.teclado);
    tela.guia(QChar(u'j'), false);

    const int teclas = int(teclado::abnt2().size());
    for (int tecla = 0; tecla < teclas; ++tecla) {
        const QString& nome = teclado::abnt2()[size_t(tecla)].nome;
        SCOPED_TRACE(nome.toStdString());
        const QRect dentro = teclado.lugarDa(tecla).adjusted(1, 1, -1, -1).toAlignedRect();
        EXPECT_EQ(pinturas.pedida.intersects(dentro), nome == u"F" || nome == u"J");
    }
    // below the last row: the text, not the whole line it lies in
    const QRectF espaco = teclado.lugarDa(teclado::teclaChamada(QStringLiteral("Espaço")));
    const QRegion texto = pinturas.pedida & QRect(0, qCeil(espaco.bottom()) + 2, teclado.width(), teclado.height());
    EXPECT_FALSE(texto.isEmpty());
    EXPECT_LT(texto.boundingRect().width(), teclado.width() * 3 / 4);
}

}  // namespace
