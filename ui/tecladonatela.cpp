#include "ui/tecladonatela.h"

#include "ui/aparencia.h"
#include "platform/preferences.h"

#include <QFontMetricsF>
#include <QHash>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QToolTip>
#include <algorithm>

using teclado::Dedo;

namespace {

constexpr double kColunas = 15;
constexpr double kFileiras = 5;
constexpr double kFolga = 0.06;           // between two keys, in key widths
constexpr double kAlturaDaDica = 0.55;    // the line under the keys, in key widths
// the Enter key comes down into the home row, narrower there
constexpr double kEnterEmbaixo = 13.75;
constexpr int kAlinhamentoDaDica = Qt::AlignCenter | Qt::TextSingleLine;

// the heat map's colours: the hue goes from green at no heat down to red
constexpr int kMatizVerde = 120;
constexpr int kSaturacaoDoCalor = 150;
constexpr int kValorDoCalor = 250;

const QColor kAcesa(0xFF, 0x8C, 0x00);
const QColor kContorno(0x60, 0x60, 0x60);
const QColor kLegenda(0x20, 0x20, 0x20);

// The names the musical keyboard gives its note keys.
QString nomeDaNota(const QString& tecla)
{
    static const QHash<QString, QString> notas = {
        {QStringLiteral("C"), QStringLiteral("dó")},  {QStringLiteral("D"), QStringLiteral("ré")},
        {QStringLiteral("E"), QStringLiteral("mi")},  {QStringLiteral("F"), QStringLiteral("fá")},
        {QStringLiteral("G"), QStringLiteral("sol")}, {QStringLiteral("A"), QStringLiteral("lá")},
        {QStringLiteral("B"), QStringLiteral("si")},
    };
    return notas.value(tecla);
}

bool ehLetra(const teclado::Tecla& tecla)
{
    return tecla.base.size() == 1 && tecla.base[0].isLetter();
}

}  // namespace

TecladoNaTela::TecladoNaTela(QWidget* pai)
    : QWidget(pai)
{
    setObjectName(QStringLiteral("teclado"));
    resize(kTamanhoProjeto);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QColor TecladoNaTela::corDoDedo(Dedo dedo)
{
    switch (dedo) {
    case Dedo::MinimoEsquerdo: return {0xF7, 0xC6, 0xC7};
    case Dedo::AnelarEsquerdo: return {0xFF, 0xE0, 0xB0};
    case Dedo::MedioEsquerdo: return {0xFF, 0xF4, 0xA0};
    case Dedo::IndicadorEsquerdo: return {0xC8, 0xEE, 0xBE};
    case Dedo::Polegar: return {0xE4, 0xE4, 0xE4};
    case Dedo::IndicadorDireito: return {0xBC, 0xE0, 0xF5};
    case Dedo::MedioDireito: return {0xD8, 0xCC, 0xF6};
    case Dedo::AnelarDireito: return {0xF6, 0xCC, 0xE8};
    case Dedo::MinimoDireito: return {0xC8, 0xEE, 0xE6};
    }
    return Qt::white;
}

QColor TecladoNaTela::corDoCalor(std::optional<double> calor)
{
    if (!calor)
        return {};
    return QColor::fromHsv(int(kMatizVerde * (1 - *calor)), kSaturacaoDoCalor, kValorDoCalor);
}

// A key as wide as the keyboard allows: the keys and the line under them fit.
double TecladoNaTela::unidade() const
{
    return std::min(width() / kColunas, height() / (kFileiras + kAlturaDaDica));
}

// The keys lie centred in the widget's width.
double TecladoNaTela::margem() const
{
    return (width() - kColunas * unidade()) / 2;
}

QRectF TecladoNaTela::lugarDa(int tecla) const
{
    const teclado::Tecla& t = teclado::abnt2()[size_t(tecla)];
    const double u = unidade();
    const double altura = t.nome == u"Enter" ? 2 : 1;
    return QRectF(margem() + t.x * u, t.linha * u, t.largura * u, altura * u)
        .adjusted(kFolga * u / 2, kFolga * u / 2, -kFolga * u / 2, -kFolga * u / 2);
}

// The pixels a key's drawing may touch: its place and the outer half of a
// lit key's wide outline.
QRect TecladoNaTela::areaDa(int tecla) const
{
    return lugarDa(tecla).adjusted(-2, -2, 2, 2).toAlignedRect();
}

QRectF TecladoNaTela::lugarDaDica() const
{
    const double u = unidade();
    return QRectF(margem(), kFileiras * u, kColunas * u, kAlturaDaDica * u);
}

QFont TecladoNaTela::fonteDaDica() const
{
    return aparencia::arial(std::max(8, int(unidade() * 0.32)), true);
}

// The pixels a text under the keys may touch: its box, centred in the line's
// place, and a few pixels around it for the glyphs that reach past their
// advance and for the rounding of where they are drawn. The line's place
// itself reaches the keys of the last row; the text alone stays clear of
// them, so a new text repaints no key.
TecladoNaTela::Dica TecladoNaTela::dicaPosta(const QString& texto) const
{
    const QRectF lugar = lugarDaDica();
    const QRectF caixa = QFontMetricsF(fonteDaDica()).boundingRect(lugar, kAlinhamentoDaDica, texto);
    Dica dica;
    dica.area = caixa.adjusted(-3, -1, 3, 1).toAlignedRect() & lugar.toAlignedRect();
    const int teclas = int(teclado::abnt2().size());
    for (int tecla = 0; tecla < teclas && dica.soFundo; ++tecla)
        dica.soFundo = !areaDa(tecla).intersects(dica.area);
    return dica;
}

// The colour of the window's background, where the keyboard lies straight on
// its window and that is plain: nothing else is painted under the keys.
std::optional<QColor> TecladoNaTela::fundoLiso() const
{
    const QWidget* janela = parentWidget();
    if (!janela || !janela->isWindow())
        return std::nullopt;
    const QBrush fundo = janela->palette().brush(QPalette::Window);
    if (fundo.style() != Qt::SolidPattern || !fundo.isOpaque())
        return std::nullopt;
    return fundo.color();
}

void TecladoNaTela::mostraGuia(const teclado::Guia& guia)
{
    std::vector<int> novas = guia.teclas;
    std::sort(novas.begin(), novas.end());
    std::vector<int> mudaram;
    std::set_symmetric_difference(acesas_.begin(), acesas_.end(), novas.begin(), novas.end(),
                                  std::back_inserter(mudaram));
    acesas_ = std::move(novas);
    // a key changes where it paints lit or put out, and nowhere else
    for (const int tecla : mudaram)
        update(imagemDa(tecla, true).tinta | imagemDa(tecla, false).tinta);
    if (dica_ != guia.dica || notas_) {
        update(dicaDe(dica_).area);
        dica_ = guia.dica;
        notas_ = false;
        update(dicaDe(dica_).area);
    }
}

void TecladoNaTela::mostraProximo(std::optional<QChar> proximo, bool mortaDigitada)
{
    teclado::Guia guia = teclado::guiaPara(proximo, mortaDigitada);
    guia.dica += QStringLiteral("     (F4 esconde o teclado)");
    mostraGuia(guia);
}

void TecladoNaTela::ficaAbaixoDe(const QWidget* acima)
{
    acima_ = acima;
    alturaDaTela_ = window()->height();
    mostraNaTela(preferences::keyboardShown());
}

void TecladoNaTela::alterna()
{
    const bool visivel = !isVisible();
    mostraNaTela(visivel);
    preferences::setKeyboardShown(visivel);
}

void TecladoNaTela::mostraNaTela(bool visivel)
{
    setVisible(visivel);
    window()->setFixedSize(window()->width(), visivel ? alturaDaTela_ : acima_->geometry().bottom() + 1);
}

void TecladoNaTela::mostraNotas()
{
    notas_ = true;
    acesas_.clear();
    dica_ = QStringLiteral("As teclas C, D, E, F, G, A e B tocam as notas dó, ré, mi, fá, sol, lá e si.");
    update();
}

void TecladoNaTela::mostraDedos()
{
    mostraGuia({{}, QStringLiteral("Cada cor é um dedo; o polegar fica no espaço. "
                                   "O F e o J têm uma marca em relevo.")});
}

void TecladoNaTela::mostraCores(std::vector<QColor> cores, std::vector<QString> textos, const QString& legenda)
{
    cores_ = std::move(cores);
    textos_ = std::move(textos);
    acesas_.clear();
    notas_ = false;
    dica_ = legenda;
    // the keys drawn so far have the colours they had
    imagens_.clear();
    update();
}

int TecladoNaTela::teclaEm(const QPointF& ponto) const
{
    const int teclas = int(teclado::abnt2().size());
    for (int tecla = 0; tecla < teclas; ++tecla) {
        if (lugarDa(tecla).contains(ponto))
            return tecla;
    }
    return -1;
}

QColor TecladoNaTela::corDa(int tecla) const
{
    if (cores_.empty())
        return corDoDedo(teclado::abnt2()[size_t(tecla)].dedo);
    const QColor cor = size_t(tecla) < cores_.size() ? cores_[size_t(tecla)] : QColor();
    return cor.isValid() ? cor : aparencia::kBranco;
}

bool TecladoNaTela::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* ajuda = static_cast<QHelpEvent*>(event);
    const int tecla = teclaEm(ajuda->pos());
    const QString texto = tecla >= 0 && size_t(tecla) < textos_.size() ? textos_[size_t(tecla)] : QString();
    if (texto.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(ajuda->globalPos(), texto, this);
    return true;
}

void TecladoNaTela::paintEvent(QPaintEvent* event)
{
    QPainter pintor(this);
    // the region, not its bounding rectangle: a key lit far from the line
    // under the keys does not repaint every key between them
    const QRegion& pedida = event->region();
    const int teclas = int(teclado::abnt2().size());
    for (int tecla = 0; tecla < teclas; ++tecla) {
        const Imagem& imagem = imagemDa(tecla, std::binary_search(acesas_.begin(), acesas_.end(), tecla));
        if (pedida.intersects(imagem.tinta))
            pintor.drawPixmap(imagem.canto, imagem.imagem);
    }
    Dica& dica = dicaDe(dica_);
    if (pedida.intersects(dica.area))
        desenhaDica(pintor, dica, dica_);
}

void TecladoNaTela::resizeEvent(QResizeEvent* event)
{
    imagens_.clear();
    dicas_.clear();
    QWidget::resizeEvent(event);
}

// A key is drawn once in each of its looks and then copied: its shape and
// legends cost far more to draw than to copy, and every keystroke lights one
// key and puts out another.
const TecladoNaTela::Imagem& TecladoNaTela::imagemDa(int tecla, bool acesa) const
{
    const int chave = tecla << 2 | int(acesa) << 1 | int(notas_);
    auto imagem = imagens_.find(chave);
    if (imagem == imagens_.end())
        imagem = imagens_.insert(chave, desenhada(tecla, acesa));
    return *imagem;
}

// A keystroke changes the text under the keys more often than not, and the
// few texts of a line come back: each is measured once, and drawn once where
// it can be copied.
TecladoNaTela::Dica& TecladoNaTela::dicaDe(const QString& texto) const
{
    auto dica = dicas_.find(texto);
    if (dica == dicas_.end())
        dica = dicas_.insert(texto, dicaPosta(texto));
    return *dica;
}

TecladoNaTela::Imagem TecladoNaTela::desenhada(int tecla, bool acesa) const
{
    const QRect area = areaDa(tecla);
    const qreal escala = devicePixelRatioF();
    QImage imagem(area.size() * escala, QImage::Format_ARGB32_Premultiplied);
    imagem.setDevicePixelRatio(escala);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.translate(-area.topLeft());
    desenhaTecla(pintor, tecla, acesa);
    pintor.end();
    const QRectF tinta = QRectF(pixelsPintados(imagem)).translated(area.topLeft() * escala);
    return {QPixmap::fromImage(imagem), area.topLeft(),
            QRectF(tinta.topLeft() / escala, tinta.size() / escala).toAlignedRect()};
}

// The smallest rectangle that holds every pixel of the picture that is not
// transparent: outside it, copying the picture changes nothing.
QRect TecladoNaTela::pixelsPintados(const QImage& imagem)
{
    QRect pintados;
    for (int y = 0; y < imagem.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(imagem.constScanLine(y));
        for (int x = 0; x < imagem.width(); ++x) {
            if (qAlpha(linha[x]) > 0)
                pintados |= QRect(x, y, 1, 1);
        }
    }
    return pintados;
}

// Where only the window's plain background lies under the text, the text is
// drawn once on a picture of that background and copied from then on: it
// comes out as drawn in place. (Drawn on a transparent picture, its edges
// would come out a shade away here and there.) Elsewhere it is written in place.
void TecladoNaTela::desenhaDica(QPainter& pintor, Dica& dica, const QString& texto) const
{
    const std::optional<QColor> fundo = dica.soFundo ? fundoLiso() : std::nullopt;
    if (!fundo) {
        escreveDica(pintor, texto);
        return;
    }
    if (dica.imagem.isNull() || dica.fundo != *fundo) {
        const qreal escala = devicePixelRatioF();
        dica.imagem = QPixmap(dica.area.size() * escala);
        dica.imagem.setDevicePixelRatio(escala);
        dica.imagem.fill(*fundo);
        QPainter naImagem(&dica.imagem);
        naImagem.translate(-dica.area.topLeft());
        escreveDica(naImagem, texto);
        dica.fundo = *fundo;
    }
    pintor.drawPixmap(dica.area.topLeft(), dica.imagem);
}

void TecladoNaTela::escreveDica(QPainter& pintor, const QString& texto) const
{
    pintor.setPen(kLegenda);
    pintor.setFont(fonteDaDica());
    pintor.drawText(lugarDaDica(), kAlinhamentoDaDica, texto);
}

void TecladoNaTela::desenhaTecla(QPainter& pintor, int tecla, bool acesa) const
{
    const teclado::Tecla& t = teclado::abnt2()[size_t(tecla)];
    const QRectF lugar = lugarDa(tecla);
    const double u = unidade();
    QPainterPath forma;
    QRectF legendas = lugar;
    if (t.nome == u"Enter") {
        // two rows high, narrower in the lower one
        legendas = lugar.adjusted(0, 0, 0, -u);
        forma.setFillRule(Qt::WindingFill);
        forma.addRect(legendas);
        forma.addRect(lugar.adjusted((kEnterEmbaixo - t.x) * u, u / 2, 0, 0));
        forma = forma.simplified();
    } else {
        forma.addRoundedRect(lugar, u * 0.12, u * 0.12);
    }
    pintor.setPen(QPen(acesa ? kAcesa.darker(150) : kContorno, acesa ? 2.5 : 1));
    pintor.setBrush(acesa ? kAcesa : corDa(tecla));
    pintor.drawPath(forma);
    if (t.marcada) {
        const QPointF meio = lugar.center() + QPointF(0, u * 0.28);
        pintor.drawLine(meio - QPointF(u * 0.15, 0), meio + QPointF(u * 0.15, 0));
    }
    desenhaLegendas(pintor, t, legendas.adjusted(u * 0.1, u * 0.04, -u * 0.1, -u * 0.04));
}

void TecladoNaTela::desenhaLegendas(QPainter& pintor, const teclado::Tecla& tecla, const QRectF& lugar) const
{
    const double u = unidade();
    pintor.setPen(kLegenda);
    const int grande = std::max(8, int(u * 0.38));
    const int pequena = std::max(7, int(u * 0.26));
    if (tecla.base.isEmpty()) {
        // "Shift direito" is a Shift like the other
        pintor.setFont(aparencia::arial(pequena));
        pintor.drawText(lugar, Qt::AlignLeft | Qt::AlignVCenter, tecla.nome.section(u' ', 0, 0));
        return;
    }
    if (tecla.base == u" ")
        return;
    if (ehLetra(tecla)) {
        pintor.setFont(aparencia::arial(grande, true));
        pintor.drawText(lugar, Qt::AlignLeft | Qt::AlignTop, tecla.nome);
        if (notas_ && !nomeDaNota(tecla.nome).isEmpty()) {
            pintor.setFont(aparencia::arial(pequena, true));
            pintor.drawText(lugar, Qt::AlignRight | Qt::AlignBottom, nomeDaNota(tecla.nome));
        }
    } else {
        pintor.setFont(aparencia::arial(grande));
        pintor.drawText(lugar, Qt::AlignLeft | Qt::AlignBottom, tecla.base);
        pintor.drawText(lugar, Qt::AlignLeft | Qt::AlignTop, tecla.comShift);
    }
    if (!tecla.comAltGr.isEmpty()) {
        pintor.setFont(aparencia::arial(pequena));
        pintor.drawText(lugar, Qt::AlignRight | Qt::AlignBottom, tecla.comAltGr);
    }
}
