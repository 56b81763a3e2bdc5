// Fitting the texts of an adapted screen to their controls. Scaling shrinks a
// control and its own font by the ratio of widths while the base font follows
// the width bands, so a caption may no longer fit the box it had at design
// size, or may come out too small to read.

#include "ui/controles.h"
#include "ui/uAjusta.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

constexpr int kMenorMaiuscula = 8;  // pixels: the capitals of a legible text stand at least this tall
constexpr int kMaiorFonte = 96;     // pixels: no legible size is looked for beyond this
constexpr int kMenorFonte = 6;      // pixels: the smallest type, for a text that has no room to be legible
constexpr int kFolga = 2;           // pixels kept free beside a grown control
constexpr char kPixelsCheios[] = "quiravo_pixelsCheios";
constexpr char kEmDuasLinhas[] = "quiravo_emDuasLinhas";  // the fitting broke the label's text

int pixelsDe(const QFont& fonte)
{
    return fonte.pixelSize() > 0 ? fonte.pixelSize() : QFontInfo(fonte).pixelSize();
}

QFont comPixels(QFont fonte, int pixels)
{
    fonte.setPixelSize(pixels);
    return fonte;
}

// The control's font at its own size, before any shrinking for a long text.
QFont fonteCheia(const QWidget* w)
{
    const QVariant cheios = w->property(kPixelsCheios);
    return cheios.isValid() ? comPixels(w->font(), cheios.toInt()) : w->font();
}

bool ehLegivel(const QFontMetrics& medida, const QFont& fonte)
{
    return medida.capHeight() >= kMenorMaiuscula || pixelsDe(fonte) >= kMaiorFonte;
}

// The font at its own size, or larger where its capitals would stand under
// 8 pixels.
QFont legivel(QFont fonte)
{
    while (!ehLegivel(QFontMetrics(fonte), fonte))
        fonte = comPixels(fonte, pixelsDe(fonte) + 1);
    return fonte;
}

// The smallest size, in pixels, at which the font's capitals stand 8 pixels tall.
int pisoLegivel(const QFont& fonte)
{
    return pixelsDe(legivel(comPixels(fonte, 1)));
}

// The control is in the legible form of its full font. Its own metrics are at
// hand; a new font's have to be looked up, which costs more than measuring.
bool naFonteLegivel(const QWidget* controle, const QFont& cheia)
{
    if (controle->font() != cheia)
        return controle->font() == legivel(cheia);
    return ehLegivel(controle->fontMetrics(), cheia);
}

// From the font's size down to piso, the first size at which the text fits;
// nothing when it does not fit even at piso.
std::optional<QFont> maiorQueCabe(QFont fonte, int piso, const std::function<bool(const QFont&)>& cabeCom)
{
    for (; pixelsDe(fonte) >= piso; fonte = comPixels(fonte, pixelsDe(fonte) - 1)) {
        if (cabeCom(fonte))
            return fonte;
    }
    return std::nullopt;
}

// From the font's size down, the first size at which the text fits, else the
// smallest size.
QFont menorQueCabe(const QFont& fonte, const std::function<bool(const QFont&)>& cabeCom)
{
    return maiorQueCabe(fonte, kMenorFonte, cabeCom).value_or(comPixels(fonte, kMenorFonte));
}

void mudaFonte(QWidget* w, const QFont& fonte)
{
    if (fonte == w->font())
        return;
    if (!w->property(kPixelsCheios).isValid())
        w->setProperty(kPixelsCheios, pixelsDe(w->font()));
    w->setFont(fonte);
}

// A control's text, the room it has in the control, the pixels beside the
// text inside that room (a button's icon, a field's caret), and whether it is
// measured in one line or broken into two.
struct Texto {
    QString texto;
    QSize espaco;
    int extra = 0;
    bool duasLinhas = false;

    // how many pixels the text lacks in width and height; 0 or less: it fits
    QSize falta(const QFont& fonte) const
    {
        const QFontMetrics medida(fonte);
        if (!duasLinhas)
            return {medida.horizontalAdvance(texto) + extra - espaco.width(), medida.height() - espaco.height()};
        // broken where the label breaks it; a third line does not count as fitting
        const QRect ocupa = medida.boundingRect(QRect(0, 0, espaco.width(), QWIDGETSIZE_MAX),
                                                Qt::TextWordWrap, texto);
        const int duas = medida.boundingRect(QRect(), 0, QStringLiteral("x\nx")).height();
        const int altura = ocupa.height() > duas ? QWIDGETSIZE_MAX : ocupa.height();
        return {ocupa.width() - espaco.width(), altura - espaco.height()};
    }
};

bool cabe(QSize falta)
{
    return falta.width() <= 0 && falta.height() <= 0;
}

// The text an access key marks is drawn without its "&".
QString semMarca(QString texto)
{
    return texto.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}

std::optional<Texto> textoDoRotulo(const QLabel* rotulo)
{
    if (rotulo->wordWrap() || rotulo->text().isEmpty() || rotulo->textFormat() == Qt::RichText)
        return std::nullopt;
    const QString texto = rotulo->buddy() ? semMarca(rotulo->text()) : rotulo->text();
    const int margem = rotulo->margin();
    QRect area = rotulo->contentsRect().adjusted(margem, margem, -margem, -margem);
    // a framed label keeps half an "x" free on the side its text is aligned to
    if (rotulo->frameWidth() > 0 && rotulo->indent() < 0 && !(rotulo->alignment() & Qt::AlignHCenter))
        area.setWidth(area.width() - rotulo->fontMetrics().horizontalAdvance(u'x') / 2);
    return Texto{texto, area.size()};
}

std::optional<Texto> textoDoBotao(const QAbstractButton* botao)
{
    if (botao->text().isEmpty())
        return std::nullopt;
    QStyleOptionButton opcao;
    opcao.initFrom(botao);
    opcao.text = botao->text();
    opcao.icon = botao->icon();
    opcao.iconSize = botao->iconSize();
    QStyle::SubElement conteudo = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QRadioButton*>(botao))
        conteudo = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QCheckBox*>(botao))
        conteudo = QStyle::SE_CheckBoxContents;
    const int largura = botao->style()->subElementRect(conteudo, &opcao, botao).width();
    const int icone = botao->icon().isNull() ? 0 : botao->iconSize().width() + 4;
    return Texto{semMarca(botao->text()), QSize(largura, QWIDGETSIZE_MAX), icone};
}

// A field draws its text two pixels in from the sides and one from the top
// and bottom, and keeps the place of the caret after it in view.
Texto textoNoCampo(const QString& texto, const QRect& campo)
{
    return Texto{texto, campo.adjusted(2, 1, -2, -1).size(), 1};
}

std::optional<Texto> textoDoCampo(const QLineEdit* campo)
{
    if (campo->displayText().isEmpty())
        return std::nullopt;
    QStyleOptionFrame opcao;
    opcao.initFrom(campo);
    opcao.lineWidth = campo->hasFrame() ? campo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcao, campo)
                                        : 0;
    const QRect area = campo->style()->subElementRect(QStyle::SE_LineEditContents, &opcao, campo);
    return textoNoCampo(campo->displayText(), area.marginsRemoved(campo->textMargins()));
}

// The part of a date picker or a spin box where its text is drawn, measured
// on the box's present size (its inner field follows only once it is shown).
QRect campoDaCaixa(const QAbstractSpinBox* caixa)
{
    if (auto* data = qobject_cast<const QDateTimeEdit*>(caixa); data && data->calendarPopup()) {
        QStyleOptionComboBox opcao;
        opcao.initFrom(caixa);
        opcao.editable = true;
        return caixa->style()->subControlRect(QStyle::CC_ComboBox, &opcao, QStyle::SC_ComboBoxEditField, caixa);
    }
    QStyleOptionSpinBox opcao;
    opcao.initFrom(caixa);
    opcao.frame = caixa->hasFrame();
    opcao.buttonSymbols = caixa->buttonSymbols();
    return caixa->style()->subControlRect(QStyle::CC_SpinBox, &opcao, QStyle::SC_SpinBoxEditField, caixa);
}

std::optional<Texto> textoDaCaixa(const QAbstractSpinBox* caixa)
{
    if (caixa->text().isEmpty())
        return std::nullopt;
    return textoNoCampo(caixa->text(), campoDaCaixa(caixa));
}

// A group's title stands above its first control.
std::optional<Texto> textoDoGrupo(const QGroupBox* grupo)
{
    if (grupo->title().isEmpty())
        return std::nullopt;
    int acima = grupo->height();
    for (const QWidget* controle : grupo->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        acima = std::min(acima, controle->y());
    return Texto{semMarca(grupo->title()), QSize(grupo->contentsRect().width(), acima)};
}

std::optional<Texto> textoDoControle(const QWidget* w)
{
    if (auto* rotulo = qobject_cast<const QLabel*>(w))
        return textoDoRotulo(rotulo);
    if (auto* botao = qobject_cast<const QAbstractButton*>(w))
        return textoDoBotao(botao);
    if (auto* campo = qobject_cast<const QLineEdit*>(w))
        return textoDoCampo(campo);
    if (auto* caixa = qobject_cast<const QAbstractSpinBox*>(w))
        return textoDaCaixa(caixa);
    if (auto* grupo = qobject_cast<const QGroupBox*>(w))
        return textoDoGrupo(grupo);
    return std::nullopt;
}

// A control whose box is not part of the look may grow: a label without a
// background or a frame and a date picker in both directions, a button in
// width. A control that a layout places keeps the box it is given.
bool podeCrescer(const QWidget* w, Qt::Orientation eixo)
{
    if (PosicionadoPorOutro(w))
        return false;
    if (auto* rotulo = qobject_cast<const QLabel*>(w))
        return !rotulo->autoFillBackground() && rotulo->frameWidth() == 0;
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return true;
    return eixo == Qt::Horizontal && qobject_cast<const QPushButton*>(w);
}

// Where a control's text sits along an axis; the control grows away from it.
enum class Lado { Antes, Centro, Depois };

Lado ladoDoTexto(const QWidget* w, Qt::Orientation eixo)
{
    if (auto* rotulo = qobject_cast<const QLabel*>(w)) {
        const Qt::Alignment a = rotulo->alignment();
        if (eixo == Qt::Horizontal)
            return a & Qt::AlignRight ? Lado::Depois : a & Qt::AlignHCenter ? Lado::Centro : Lado::Antes;
        return a & Qt::AlignBottom ? Lado::Depois : a & Qt::AlignTop ? Lado::Antes : Lado::Centro;
    }
    if (qobject_cast<const QPushButton*>(w))
        return Lado::Centro;
    return Lado::Antes;
}

// The first and last pixel of a rectangle along an axis.
std::pair<int, int> ao(const QRect& r, Qt::Orientation eixo)
{
    return eixo == Qt::Horizontal ? std::pair(r.left(), r.right()) : std::pair(r.top(), r.bottom());
}

std::pair<int, int> atraves(const QRect& r, Qt::Orientation eixo)
{
    return ao(r, eixo == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal);
}

// The free pixels before and after a control along an axis, up to the
// nearest control in its way or the edge of its parent.
struct Folga {
    int antes;
    int depois;
};

Folga folgaAoLado(const QWidget* w, Qt::Orientation eixo)
{
    const auto [inicio, fim] = ao(w->geometry(), eixo);
    const auto [de, ate] = atraves(w->geometry(), eixo);
    auto [limiteAntes, limiteDepois] = ao(w->parentWidget()->contentsRect(), eixo);
    for (QObject* objeto : w->parentWidget()->children()) {
        auto* vizinho = qobject_cast<QWidget*>(objeto);
        if (!vizinho || vizinho == w || vizinho->isWindow())
            continue;
        const auto [vde, vate] = atraves(vizinho->geometry(), eixo);
        if (vate < de || vde > ate)
            continue;
        const auto [vinicio, vfim] = ao(vizinho->geometry(), eixo);
        if (vinicio > fim)
            limiteDepois = std::min(limiteDepois, vinicio - 1);
        else if (vfim < inicio)
            limiteAntes = std::max(limiteAntes, vfim + 1);
    }
    return {std::max(0, inicio - limiteAntes - kFolga), std::max(0, limiteDepois - fim - kFolga)};
}

// Grows the control by up to `falta` pixels along an axis into the free room,
// away from the side its text sits on (both ways for a centred text).
void cresce(QWidget* w, int falta, Qt::Orientation eixo)
{
    const Folga folga = folgaAoLado(w, eixo);
    int antes = 0;
    int depois = 0;
    switch (ladoDoTexto(w, eixo)) {
    case Lado::Antes:
        depois = std::min(falta, folga.depois);
        antes = std::min(falta - depois, folga.antes);
        break;
    case Lado::Depois:
        antes = std::min(falta, folga.antes);
        depois = std::min(falta - antes, folga.depois);
        break;
    case Lado::Centro:
        antes = std::min(falta / 2, folga.antes);
        depois = std::min(falta - antes, folga.depois);
        antes = std::min(falta - depois, folga.antes);
        break;
    }
    if (antes == 0 && depois == 0)
        return;
    const QRect g = eixo == Qt::Horizontal ? w->geometry().adjusted(-antes, 0, depois, 0)
                                           : w->geometry().adjusted(0, -antes, 0, depois);
    w->move(g.topLeft());
    MudaTamanho(w, g.size());
}

// The tabs of a page control shrink together until they all show, down to
// the legible size where there is room for it.
void ajustaAbas(QTabWidget* abas)
{
    QTabBar* barra = abas->tabBar();
    // the tabs are measured in the font they are given
    const auto cabemTodas = [barra, abas](const QFont& fonte) {
        mudaFonte(barra, fonte);
        return barra->sizeHint().width() <= abas->width();
    };
    const QFont inicial = legivel(fonteCheia(barra));
    mudaFonte(barra, maiorQueCabe(inicial, pisoLegivel(inicial), cabemTodas)
                         .value_or(menorQueCabe(inicial, cabemTodas)));
}

// A layout gives a label the height its text takes, unless the label takes
// whatever height it is given.
bool layoutDaAltura(const QWidget* w)
{
    return PosicionadoPorOutro(w) && w->sizePolicy().verticalPolicy() != QSizePolicy::Ignored;
}

// Grows the control into the free room beside it, as far as the text needs
// in the font given; true when the text then fits.
bool cabeCrescendo(QWidget* controle, Texto& texto, const QFont& fonte)
{
    for (const Qt::Orientation eixo : {Qt::Horizontal, Qt::Vertical}) {
        const QSize falta = texto.falta(fonte);
        const int faltaNoEixo = eixo == Qt::Horizontal ? falta.width() : falta.height();
        if (faltaNoEixo > 0 && podeCrescer(controle, eixo)) {
            cresce(controle, faltaNoEixo, eixo);
            texto.espaco = textoDoControle(controle)->espaco;
        }
    }
    const QSize falta = texto.falta(fonte);
    return falta.width() <= 0 && (falta.height() <= 0 || (texto.duasLinhas && layoutDaAltura(controle)));
}

void quebraEmDuasLinhas(QLabel* rotulo, bool quebra)
{
    rotulo->setWordWrap(quebra);
    rotulo->setProperty(kEmDuasLinhas, quebra);
}

// A label the fitting broke is measured again in one line.
void desfazQuebra(QWidget* controle)
{
    auto* rotulo = qobject_cast<QLabel*>(controle);
    if (rotulo && rotulo->property(kEmDuasLinhas).toBool())
        quebraEmDuasLinhas(rotulo, false);
}

// From the font given down to the legible size, the first at which the text
// fits in one line, its box grown into the free room, or else a label's in
// two lines. Nothing when it fits in neither.
std::optional<QFont> fonteLegivelQueCabe(QWidget* controle, Texto& texto, const QFont& inicial)
{
    auto* rotulo = qobject_cast<QLabel*>(controle);
    const auto emUmaOuDuasLinhas = [&](const QFont& fonte) {
        texto.duasLinhas = false;
        if (cabeCrescendo(controle, texto, fonte))
            return true;
        if (!rotulo)
            return false;
        texto.duasLinhas = true;
        return cabeCrescendo(controle, texto, fonte);
    };
    const std::optional<QFont> fonte = maiorQueCabe(inicial, pisoLegivel(inicial), emUmaOuDuasLinhas);
    if (fonte && rotulo)
        quebraEmDuasLinhas(rotulo, texto.duasLinhas);
    return fonte;
}

}  // namespace

void AjustaTexto(QWidget* controle)
{
    desfazQuebra(controle);
    std::optional<Texto> texto = textoDoControle(controle);
    if (!texto)
        return;
    const QFont cheia = fonteCheia(controle);
    // already in its full type, and the text fits: nothing to try (a status
    // line changes its text at every key)
    if (naFonteLegivel(controle, cheia) && cabe(texto->falta(controle->font())))
        return;
    if (const std::optional<QFont> fonte = fonteLegivelQueCabe(controle, *texto, legivel(cheia))) {
        mudaFonte(controle, *fonte);
        return;
    }
    // no room to be read at a legible size: whole, in a smaller type
    texto->duasLinhas = false;
    mudaFonte(controle, menorQueCabe(legivel(cheia), [&texto](const QFont& menor) { return cabe(texto->falta(menor)); }));
}

void AjustaTextos(QWidget* tela)
{
    QList<QWidget*> controles;
    for (QObject* objeto : tela->children()) {
        auto* w = qobject_cast<QWidget*>(objeto);
        if (w && !w->isWindow() && !w->objectName().startsWith(QLatin1String("qt_")))
            controles.append(w);
    }
    std::stable_sort(controles.begin(), controles.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(a->x(), a->y()) < std::pair(b->x(), b->y());
    });
    // a layout places its controls before they are measured, and again after
    // each, so that the next takes the room a text broken in two lines left
    QLayout* layout = tela->layout();
    if (layout)
        layout->activate();
    for (QWidget* w : controles) {
        if (auto* abas = qobject_cast<QTabWidget*>(w))
            ajustaAbas(abas);
        AjustaTexto(w);
        if (layout)
            layout->activate();
        if (!ControleComposto(w))
            AjustaTextos(w);
    }
}
