#include "ui/uAjusta.h"

#include "ui/controles.h"
#include "platform/system.h"

#include <QAbstractButton>
#include <QWidget>
#include <cmath>

int LarguraTela = 0;

namespace {

constexpr int kLarguraProjeto = 1280;
constexpr int kLarguraProjeto1024 = 1024;
constexpr int kPontosPorPolegada = 72;
constexpr int kPixelsPorPolegada = 96;

struct Razao {
    int m;
    int d;
    int aplica(int valor) const { return int(std::lround(double(valor) * m / d)); }
};

void escalaGeometria(QWidget* w, Razao r)
{
    const QRect g = w->geometry();
    w->move(r.aplica(g.x()), r.aplica(g.y()));
    MudaTamanho(w, QSize(r.aplica(g.width()), r.aplica(g.height())));
}

QFont fonteEscalada(QFont fonte, Razao r)
{
    if (fonte.pixelSize() > 0)
        fonte.setPixelSize(std::max(1, r.aplica(fonte.pixelSize())));
    else if (fonte.pointSizeF() > 0)
        fonte.setPointSize(std::max(1, int(std::lround(fonte.pointSizeF() * r.m / r.d))));
    return fonte;
}

// A control that set a font of its own fixed its size too, unless it left
// the size out of the font it set.
bool definiuTamanhoDaFonte(const QWidget* w)
{
    return w->testAttribute(Qt::WA_SetFont) && (w->font().resolveMask() & QFont::SizeResolved);
}

void escalaControles(QWidget* pai, Razao r)
{
    for (QObject* objeto : pai->children()) {
        auto* w = qobject_cast<QWidget*>(objeto);
        if (!w || w->isWindow())
            continue;
        if (definiuTamanhoDaFonte(w))
            w->setFont(fonteEscalada(w->font(), r));
        if (!PosicionadoPorOutro(w))
            escalaGeometria(w, r);
        if (auto* botao = qobject_cast<QAbstractButton*>(w))
            botao->setIconSize(QSize(r.aplica(botao->iconSize().width()), r.aplica(botao->iconSize().height())));
        if (!ControleComposto(w))
            escalaControles(w, r);
    }
}

// The screen keeps its position; its client area, controls and fonts scale.
void escala(QWidget* tela, Razao r)
{
    if (r.m == r.d || r.m <= 0 || r.d <= 0)
        return;
    escalaControles(tela, r);
    tela->setFont(fonteEscalada(tela->font(), r));
    MudaTamanho(tela, QSize(r.aplica(tela->width()), r.aplica(tela->height())));
}

void defineFonteBase(QWidget* tela, int pontos)
{
    if (pontos == 0)
        return;
    QFont fonte = tela->font();
    fonte.setPixelSize(PixelsDosPontos(pontos));
    tela->setFont(fonte);
}

}  // namespace

int PixelsDosPontos(int pontos)
{
    return int(std::lround(double(pontos) * kPixelsPorPolegada / kPontosPorPolegada));
}

namespace {

// Base font sizes by display width; each band includes both of its limits.
struct Banda {
    int de;
    int ate;
    int tamanho;
};

constexpr Banda kBandasAjustaTela[] = {{600, 700, 7}, {701, 850, 8}, {851, 1200, 10}};
constexpr Banda kBandasAjustaTela1024[] = {{600, 700, 7}, {750, 850, 8}, {900, 1200, 10}};

template <size_t N>
int tamanhoDaBanda(const Banda (&bandas)[N], int largura)
{
    for (const Banda& b : bandas) {
        if (largura >= b.de && largura <= b.ate)
            return b.tamanho;
    }
    return 0;
}

}  // namespace

int TamanhoFonteAjustaTela(int largura)
{
    return tamanhoDaBanda(kBandasAjustaTela, largura);
}

int TamanhoFonteAjustaTela1024(int largura)
{
    return tamanhoDaBanda(kBandasAjustaTela1024, largura);
}

// A Qt window never shows scroll bars of its own, whatever lies beyond its
// client area, so there is nothing to switch off before scaling. A width not
// recorded yet (0) leaves the layout as designed instead of collapsing it.
void AjustaTela(QWidget* tela)
{
    escala(tela, Razao{LarguraTela, kLarguraProjeto});
    letEventsRun();
    defineFonteBase(tela, TamanhoFonteAjustaTela(displayWidth()));
    AjustaTextos(tela);
}

void AjustaTela1024(QWidget* tela)
{
    const int largura = displayWidth();
    escala(tela, Razao{largura, kLarguraProjeto1024});
    defineFonteBase(tela, TamanhoFonteAjustaTela1024(largura));
    AjustaTextos(tela);
}
