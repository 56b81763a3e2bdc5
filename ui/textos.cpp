// Fitting the texts of an adapted screen to their controls. Scaling shrinks a
// control by the ratio of widths while the base font follows the width bands,
// so a caption may no longer fit the box it had at design size.

#include "ui/controles.h"
#include "ui/uAjusta.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFontInfo>
#include <QLabel>
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

constexpr int kMenorFonte = 6;  // pixels: the smallest type a text is drawn in
constexpr int kFolga = 2;       // pixels kept free beside a grown control
constexpr char kPixelsCheios[] = "quiravo_pixelsCheios";

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

// From the font's size down, the first size at which the text fits, else the
// smallest size.
QFont menorQueCabe(QFont fonte, const std::function<bool(const QFont&)>& cabeCom)
{
    while (!cabeCom(fonte) && pixelsDe(fonte) > kMenorFonte)
        fonte = comPixels(fonte, pixelsDe(fonte) - 1);
    return fonte;
}

void mudaFonte(QWidget* w, const QFont& fonte)
{
    if (fonte == w->font())
        return;
    if (!w->property(kPixelsCheios).isValid())
        w->setProperty(kPixelsCheios, pixelsDe(w->font()));
    w->setFont(fonte);
}

// A control's one-line text, the room it has in the control, and the pixels
// beside the text inside that room (a button's icon, a field's caret).
struct Texto {
    QString texto;
    QSize espaco;
    int extra = 0;

    // how many pixels the text lacks in width and height; 0 or less: it fits
    QSize falta(const QFont& fonte) const
    {
        const QFontMetrics medida(fonte);
        return {medida.horizontalAdvance(texto) + extra - espaco.width(), medida.height() - espaco.height()};
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
    return std::nullopt;
}

// A control whose box is not part of the look may grow: a label without a
// background or a frame in both directions, a button or a date picker in
// width.
bool podeCrescer(const QWidget* w, Qt::Orientation eixo)
{
    if (auto* rotulo = qobject_cast<const QLabel*>(w))
        return !rotulo->autoFillBackground() && rotulo->frameWidth() == 0;
    return eixo == Qt::Horizontal && (qobject_cast<const QPushButton*>(w) || qobject_cast<const QAbstractSpinBox*>(w));
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

// The tabs of a page control shrink together until they all show.
void ajustaAbas(QTabWidget* abas)
{
    QTabBar* barra = abas->tabBar();
    // the tabs are measured in the font they are given
    const auto cabemTodas = [barra, abas](const QFont& fonte) {
        mudaFonte(barra, fonte);
        return barra->sizeHint().width() <= abas->width();
    };
    mudaFonte(barra, menorQueCabe(fonteCheia(barra), cabemTodas));
}

}  // namespace

void AjustaTexto(QWidget* controle)
{
    std::optional<Texto> texto = textoDoControle(controle);
    if (!texto)
        return;
    QFont fonte = fonteCheia(controle);
    QSize falta = texto->falta(fonte);
    for (const Qt::Orientation eixo : {Qt::Horizontal, Qt::Vertical}) {
        const int faltaNoEixo = eixo == Qt::Horizontal ? falta.width() : falta.height();
        if (faltaNoEixo > 0 && podeCrescer(controle, eixo)) {
            cresce(controle, faltaNoEixo, eixo);
            texto = textoDoControle(controle);
            falta = texto->falta(fonte);
        }
    }
    if (!cabe(falta))
        fonte = menorQueCabe(fonte, [&texto](const QFont& menor) { return cabe(texto->falta(menor)); });
    mudaFonte(controle, fonte);
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
    for (QWidget* w : controles) {
        if (auto* abas = qobject_cast<QTabWidget*>(w))
            ajustaAbas(abas);
        AjustaTexto(w);
        if (!ControleComposto(w))
            AjustaTextos(w);
    }
}
