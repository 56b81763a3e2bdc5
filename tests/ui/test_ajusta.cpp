// Adapting a screen to the display width: both variants over the widths
// whose bands and limits matter.

#include "support/fixture.h"

#include "ui/uAjusta.h"
#include "platform/system.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <cmath>

namespace {

// A screen at design size: base font 16 px, a label with its own 20 px font,
// a label that takes the base font, a panel with a button inside, a page of
// tabs with a text inside, and a bar whose button a layout places.
struct TelaDeTeste {
    QDialog tela;
    QLabel* proprio;
    QLabel* herdado;
    QFrame* painel;
    QPushButton* noPainel;
    QTabWidget* abas;
    QPlainTextEdit* texto;
    QWidget* barra;
    QPushButton* naBarra;

    TelaDeTeste()
    {
        QFont base(QStringLiteral("Arial"));
        base.setPixelSize(16);
        tela.setFont(base);
        tela.setFixedSize(640, 400);
        proprio = new QLabel(QStringLiteral("próprio"), &tela);
        proprio->setGeometry(10, 20, 100, 30);
        QFont grande = proprio->font();
        grande.setPixelSize(20);
        proprio->setFont(grande);
        herdado = new QLabel(QStringLiteral("herdado"), &tela);
        herdado->setGeometry(10, 60, 101, 31);
        painel = new QFrame(&tela);
        painel->setGeometry(200, 20, 200, 100);
        noPainel = new QPushButton(painel);
        noPainel->setGeometry(5, 7, 41, 13);
        abas = new QTabWidget(&tela);
        abas->setGeometry(0, 130, 640, 200);
        auto* pagina = new QWidget;
        texto = new QPlainTextEdit(pagina);
        texto->setGeometry(20, 16, 300, 101);
        abas->addTab(pagina, QStringLiteral("página"));
        barra = new QWidget(&tela);
        barra->setGeometry(0, 350, 640, 50);
        naBarra = new QPushButton(QStringLiteral("na barra"), barra);
        auto* layout = new QHBoxLayout(barra);
        layout->addWidget(naBarra);
    }
};

struct Largura {
    int w;
    int fonteAjustaTela;      // points set by AjustaTela, 0 for none
    int fonteAjustaTela1024;  // points set by AjustaTela1024, 0 for none
};

const Largura kLarguras[] = {
    {1280, 0, 0}, {1024, 10, 10}, {800, 8, 8},  {640, 7, 7},    {720, 8, 0},
    {870, 10, 0}, {600, 7, 7},    {700, 7, 7},  {701, 8, 0},    {750, 8, 8},
    {850, 8, 8},  {1200, 10, 10}, {599, 0, 0},  {1201, 0, 0},   {1600, 0, 0},
};

int vezes(int valor, int m, int d)
{
    return int(std::lround(double(valor) * m / d));
}

// The smallest size of the font, in pixels, whose capitals stand 8 pixels tall.
int legivel(QFont fonte)
{
    for (fonte.setPixelSize(1); QFontMetrics(fonte).capHeight() < 8;)
        fonte.setPixelSize(fonte.pixelSize() + 1);
    return fonte.pixelSize();
}

// Checks that the screen was scaled by m/d and its base font then set to
// `pontos` (or left as scaled when 0).
void confereEscala(const TelaDeTeste& t, int m, int d, int pontos)
{
    EXPECT_EQ(t.tela.size(), QSize(vezes(640, m, d), vezes(400, m, d)));
    EXPECT_EQ(t.proprio->geometry(), QRect(vezes(10, m, d), vezes(20, m, d), vezes(100, m, d), vezes(30, m, d)));
    EXPECT_EQ(t.herdado->geometry(), QRect(vezes(10, m, d), vezes(60, m, d), vezes(101, m, d), vezes(31, m, d)));
    EXPECT_EQ(t.noPainel->geometry(), QRect(vezes(5, m, d), vezes(7, m, d), vezes(41, m, d), vezes(13, m, d)));
    EXPECT_EQ(t.texto->geometry(), QRect(vezes(20, m, d), vezes(16, m, d), vezes(300, m, d), vezes(101, m, d)));
    EXPECT_EQ(t.abas->geometry(), QRect(0, vezes(130, m, d), vezes(640, m, d), vezes(200, m, d)));
    const int base = pontos ? PixelsDosPontos(pontos) : vezes(16, m, d);
    EXPECT_EQ(t.tela.font().pixelSize(), base);
    // a text is drawn at least in the legible size
    const int piso = legivel(t.tela.font());
    EXPECT_EQ(t.herdado->font().pixelSize(), std::max(base, piso));
    EXPECT_EQ(t.proprio->font().pixelSize(), std::max(vezes(20, m, d), piso)) << "a control's own font only scales";
}

class AjustaTest : public InTempDir {};

}  // namespace

TEST_F(AjustaTest, PointsAreConvertedOnThe96DpiGrid)
{
    EXPECT_EQ(PixelsDosPontos(7), 9);
    EXPECT_EQ(PixelsDosPontos(8), 11);
    EXPECT_EQ(PixelsDosPontos(10), 13);
}

// The two variants: AjustaTela scales by the width recorded at start-up over
// 1280 and lets pending events be handled once; AjustaTela1024 scales by the
// current width over 1024 and handles none. Each picks the font of its bands.
TEST_F(AjustaTest, EachVariantScalesByItsWidthOverItsDesignWidthAndSetsItsBandFont)
{
    struct Variante {
        const char* nome;
        void (*ajusta)(QWidget*);
        int larguraDeProjeto;
        bool pelaLarguraDoInicio;  // scales by LarguraTela, the current width being the same
        int Largura::*fonte;
        bool deixaEventos;
    };
    const Variante variantes[] = {
        {"AjustaTela", AjustaTela, 1280, true, &Largura::fonteAjustaTela, true},
        {"AjustaTela1024", AjustaTela1024, 1024, false, &Largura::fonteAjustaTela1024, false},
    };
    for (const Variante& v : variantes) {
        for (const Largura& l : kLarguras) {
            SCOPED_TRACE(testing::Message() << v.nome << " at " << l.w);
            LarguraTela = v.pelaLarguraDoInicio ? l.w : 1280;
            systemseam::setDisplayWidth(l.w);
            systemseam::clear();
            TelaDeTeste t;
            v.ajusta(&t.tela);
            confereEscala(t, l.w, v.larguraDeProjeto, l.*v.fonte);
            EXPECT_EQ(systemseam::letEventsRunCalls() >= 1, v.deixaEventos);
        }
    }
}

TEST_F(AjustaTest, KnownRatiosGiveTheirSizes)
{
    struct Caso {
        int largura;
        bool variante1024;
        QSize tela;
        int fontePropria;
    };
    const Caso casos[] = {
        {1280, false, {640, 400}, 20},  // ratio 1 changes nothing
        {1280, true, {800, 500}, 25},   // 1.25
        {800, false, {400, 250}, 13},   // 0.625: 12.5 rounds up
        {800, true, {500, 313}, 16},    // 0.78125
        {1600, true, {1000, 625}, 31},  // 1.5625
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.largura);
        LarguraTela = c.largura;
        systemseam::setDisplayWidth(c.largura);
        TelaDeTeste t;
        c.variante1024 ? AjustaTela1024(&t.tela) : AjustaTela(&t.tela);
        EXPECT_EQ(t.tela.size(), c.tela);
        EXPECT_EQ(t.proprio->font().pixelSize(), c.fontePropria);
    }
}

TEST_F(AjustaTest, AjustaTelaScalesWithTheStartUpWidthButPicksTheFontFromTheCurrentOne)
{
    LarguraTela = 1280;
    systemseam::setDisplayWidth(800);
    TelaDeTeste t;
    AjustaTela(&t.tela);
    confereEscala(t, 1, 1, 8);
}

TEST_F(AjustaTest, TheScreenKeepsItsPositionAndLaidOutControlsStayWithTheirLayout)
{
    LarguraTela = 1600;
    systemseam::setDisplayWidth(1600);
    TelaDeTeste t;
    t.tela.move(33, 44);
    AjustaTela(&t.tela);
    EXPECT_EQ(t.tela.pos(), QPoint(33, 44));
    EXPECT_EQ(t.barra->geometry(), QRect(0, 438, 800, 63));
    t.tela.show();
    EXPECT_TRUE(t.barra->geometry().contains(t.naBarra->geometry().translated(t.barra->pos())));
}

namespace {

// A 300 x 100 screen in a 13 px type, with a label at the given box.
struct TelaComRotulo {
    QDialog tela;
    QLabel* rotulo;

    TelaComRotulo(const QString& texto, QRect caixa, Qt::Alignment alinhamento = Qt::AlignLeft)
    {
        QFont base(QStringLiteral("Liberation Sans"));
        base.setPixelSize(13);
        tela.setFont(base);
        tela.setFixedSize(300, 100);
        rotulo = new QLabel(texto, &tela);
        rotulo->setGeometry(caixa);
        rotulo->setAlignment(alinhamento | Qt::AlignVCenter);
    }
    QLabel* vizinho(QRect caixa)
    {
        auto* outro = new QLabel(QStringLiteral("x"), &tela);
        outro->setGeometry(caixa);
        return outro;
    }
};

int larguraDoTexto(const QLabel* rotulo)
{
    return rotulo->fontMetrics().horizontalAdvance(rotulo->text());
}

// The label's text is drawn whole, in one line or in the lines it breaks into.
bool cabe(const QLabel* rotulo)
{
    const QFontMetrics medida(rotulo->font());
    const QSize ocupa = rotulo->wordWrap()
        ? medida.boundingRect(rotulo->rect(), Qt::TextWordWrap, rotulo->text()).size()
        : QSize(medida.horizontalAdvance(rotulo->text()), medida.height());
    return ocupa.width() <= rotulo->width() && ocupa.height() <= rotulo->height();
}

}  // namespace

TEST_F(AjustaTest, ACaptionGrowsIntoTheFreeRoomOnTheSideAwayFromItsAlignment)
{
    TelaComRotulo esquerda(QStringLiteral("Data Última"), {10, 10, 20, 9});
    AjustaTexto(esquerda.rotulo);
    EXPECT_EQ(esquerda.rotulo->x(), 10);
    EXPECT_GE(esquerda.rotulo->width(), larguraDoTexto(esquerda.rotulo));
    EXPECT_GE(esquerda.rotulo->height(), esquerda.rotulo->fontMetrics().height());
    EXPECT_EQ(esquerda.rotulo->font().pixelSize(), 13);

    TelaComRotulo direita(QStringLiteral("Versão 2.1"), {250, 10, 30, 20}, Qt::AlignRight);
    AjustaTexto(direita.rotulo);
    EXPECT_EQ(direita.rotulo->geometry().right(), 279);
    EXPECT_GE(direita.rotulo->width(), larguraDoTexto(direita.rotulo));
}

// A text that cannot grow wide enough breaks into two lines at its size.
TEST_F(AjustaTest, WhatCannotGrowWideEnoughBreaksIntoTwoLines)
{
    TelaComRotulo apertado(QStringLiteral("Exerc. Atual"), {10, 10, 30, 20});
    apertado.vizinho({52, 10, 40, 20});
    AjustaTexto(apertado.rotulo);
    EXPECT_LE(apertado.rotulo->geometry().right(), 50) << "it stops short of its neighbour";
    EXPECT_EQ(apertado.rotulo->font().pixelSize(), 13);
    EXPECT_TRUE(apertado.rotulo->wordWrap());
    EXPECT_TRUE(cabe(apertado.rotulo));

    // a shorter text is one line again
    apertado.rotulo->setText(QStringLiteral("Nome"));
    AjustaTexto(apertado.rotulo);
    EXPECT_FALSE(apertado.rotulo->wordWrap());
}

// A caption whose type scaled below the legible size is drawn in it: its
// box grows into the free room, or the text takes two lines.
TEST_F(AjustaTest, ATextIsNeverDrawnBelowTheLegibleSizeWhereThereIsRoom)
{
    struct Caso {
        const char* nome;
        QRect caixa;
        bool colorido;
        bool duasLinhas;
    };
    const Caso casos[] = {
        {"a plain caption grows", {10, 10, 40, 6}, false, false},
        {"a coloured one keeps its box and takes two lines", {10, 10, 60, 30}, true, true},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TelaComRotulo tela(QStringLiteral("Melhor velocidade"), caso.caixa, Qt::AlignHCenter);
        QFont pequena = tela.rotulo->font();
        pequena.setPixelSize(6);
        pequena.setBold(true);
        tela.rotulo->setFont(pequena);
        tela.rotulo->setAutoFillBackground(caso.colorido);
        AjustaTexto(tela.rotulo);
        EXPECT_GE(QFontMetrics(tela.rotulo->font()).capHeight(), 8);
        EXPECT_EQ(tela.rotulo->font().pixelSize(), legivel(pequena));
        EXPECT_EQ(tela.rotulo->wordWrap(), caso.duasLinhas);
        if (caso.colorido) {
            EXPECT_EQ(tela.rotulo->geometry(), caso.caixa) << "a coloured box keeps its size";
        }
        EXPECT_TRUE(cabe(tela.rotulo));
    }
}

// Where the box has no room even for two lines of the legible size, the text
// stays whole in a smaller type.
TEST_F(AjustaTest, WhatHasNoRoomToBeLegibleIsDrawnWholeInASmallerType)
{
    // a coloured box is part of the look: it keeps its size
    TelaComRotulo colorido(QStringLiteral("Data do último exercício"), {10, 10, 120, 20});
    colorido.rotulo->setAutoFillBackground(true);
    AjustaTexto(colorido.rotulo);
    EXPECT_EQ(colorido.rotulo->geometry(), QRect(10, 10, 120, 20));
    EXPECT_LT(colorido.rotulo->font().pixelSize(), 13);
    EXPECT_LE(larguraDoTexto(colorido.rotulo), 120);

    // a shorter text gets the type back
    colorido.rotulo->setText(QStringLiteral("1"));
    AjustaTexto(colorido.rotulo);
    EXPECT_EQ(colorido.rotulo->font().pixelSize(), 13);
}

TEST_F(AjustaTest, AButtonGrowsIntoTheFreeSideAndTabsShrinkTogether)
{
    QDialog tela;
    tela.setFixedSize(400, 200);
    auto* esquerda = new QPushButton(QStringLiteral("Grava F5"), &tela);
    esquerda->setGeometry(5, 5, 60, 20);
    auto* meio = new QPushButton(QStringLiteral("Cancela F12"), &tela);
    meio->setGeometry(67, 5, 40, 20);
    AjustaTextos(&tela);
    EXPECT_GE(meio->x(), esquerda->geometry().right() + 1);
    EXPECT_GT(meio->width(), 40);

    auto* abas = new QTabWidget(&tela);
    for (const char* aba : {"Instruções Gerais", "A posição dos dedos", "O Teclado", "Postura"})
        abas->addTab(new QWidget, QString::fromUtf8(aba));
    const int largura = abas->tabBar()->sizeHint().width() - 30;
    abas->setGeometry(0, 40, largura, 150);
    AjustaTextos(&tela);
    EXPECT_LE(abas->tabBar()->sizeHint().width(), largura);
}
