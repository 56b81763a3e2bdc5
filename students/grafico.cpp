#include "students/grafico.h"

#include "students/secoes.h"

#include <QPainter>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace {

const QColor kLinha(0x1f, 0x5f, 0xa8);
const QColor kGrade(0xc8, 0xc8, 0xc8);
const QColor kTextoFraco(0x50, 0x50, 0x50);
// the sections take turns, so that two neighbours never look alike
const QColor kFaixas[] = {QColor(0xe4, 0xee, 0xfa), QColor(0xfb, 0xf3, 0xdc)};

const QString kFormatoDaData = QStringLiteral("dd/MM/yy");

// Device pixels per pixel of a 96-dpi screen.
double unidade(const QPainter& pintor)
{
    return pintor.device()->logicalDpiY() / 96.0;
}

// A round step for about five lines of grid from zero to the best speed.
int degrauDaGrade(int melhor)
{
    const double bruto = std::max(melhor, 10) / 5.0;
    const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
    for (const double fator : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (fator * potencia >= bruto)
            return std::max(1, int(std::lround(fator * potencia)));
    }
    return int(10 * potencia);
}

QString textoDaData(const Passagem& passagem)
{
    return passagem.data.toString(kFormatoDaData);
}

// A run of passes in one section of the course.
struct Faixa {
    size_t primeira = 0;
    size_t ultima = 0;
    int secao = -1;
};

std::vector<Faixa> faixasDasSecoes(const std::vector<Passagem>& passagens)
{
    std::vector<Faixa> faixas;
    for (size_t i = 0; i < passagens.size(); ++i) {
        const int secao = SecaoDoExercicio(passagens[i].exercicio);
        if (faixas.empty() || faixas.back().secao != secao)
            faixas.push_back({i, i, secao});
        else
            faixas.back().ultima = i;
    }
    return faixas;
}

// A section is told by its number in the course, above its band and in the
// legend beside its name: a band is often too narrow for a name.
QString numeroDaSecao(int secao)
{
    return QString::number(secao + 1);
}

void desenhaFaixas(QPainter& p, const EixosDoGrafico& eixos, const QRectF& area,
                   const std::vector<Passagem>& passagens)
{
    const double u = unidade(p);
    p.save();
    // bold, unlike the exercises' numbers over the points
    QFont negrito = p.font();
    negrito.setBold(true);
    p.setFont(negrito);
    for (const Faixa& faixa : faixasDasSecoes(passagens)) {
        if (faixa.secao < 0)
            continue;
        const double esquerda = eixos.x(faixa.primeira) - eixos.passo() / 2;
        const double direita = eixos.x(faixa.ultima) + eixos.passo() / 2;
        // a history that hops between sections faster than a pixel shows none
        if (direita - esquerda < 1.0)
            continue;
        const QRectF banda(esquerda, eixos.plano.top(), direita - esquerda, eixos.plano.height());
        p.fillRect(banda, kFaixas[faixa.secao % 2]);
        // the number above its band, when the band leaves room to read it whole
        const QRectF titulo(esquerda + 2 * u, area.top(), banda.width() - 4 * u,
                            eixos.plano.top() - area.top());
        const QString numero = numeroDaSecao(faixa.secao);
        if (p.fontMetrics().horizontalAdvance(numero) <= titulo.width())
            p.drawText(titulo, Qt::AlignLeft | Qt::AlignVCenter, numero);
    }
    p.restore();
}

void desenhaLegenda(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    const QStringList linhas = linhasDaLegenda(passagens, QFontMetricsF(p.font()), eixos.legenda.width());
    const double altura = eixos.legenda.height() / double(std::max<qsizetype>(linhas.size(), 1));
    double topo = eixos.legenda.top();
    for (const QString& linha : linhas) {
        p.drawText(QRectF(eixos.legenda.left(), topo, eixos.legenda.width(), altura),
                   Qt::AlignLeft | Qt::AlignVCenter, linha);
        topo += altura;
    }
}

void desenhaGrade(QPainter& p, const EixosDoGrafico& eixos, const QRectF& area)
{
    const double u = unidade(p);
    p.save();
    for (int v = 0; v <= eixos.topo; v += eixos.degrau) {
        const double y = eixos.y(v);
        p.setPen(QPen(kGrade, 0.8 * u));
        p.drawLine(QPointF(eixos.plano.left(), y), QPointF(eixos.plano.right(), y));
        p.setPen(kTextoFraco);
        const QRectF rotulo(area.left(), y - 10 * u, eixos.plano.left() - area.left() - 4 * u, 20 * u);
        p.drawText(rotulo, Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    const QRectF unidadeDoEixo(area.left(), area.top(), eixos.plano.left() - area.left() - 4 * u,
                               eixos.plano.top() - area.top());
    p.drawText(unidadeDoEixo, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("t/m"));
    p.restore();
}

// As many dates as fit side by side, the first and the last pass among them.
void desenhaDatas(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    const double largura = p.fontMetrics().horizontalAdvance(QStringLiteral("00/00/00  "));
    const size_t cabem = std::max<size_t>(1, size_t(eixos.plano.width() / largura));
    const size_t quantas = std::min(cabem, passagens.size());
    const double topo = eixos.plano.bottom();
    // the last date replaces a neighbour it would cover
    std::vector<std::pair<QRectF, size_t>> datas;
    for (size_t k = 0; k < quantas; ++k) {
        const size_t i = quantas == 1 ? 0 : k * (passagens.size() - 1) / (quantas - 1);
        const double x = std::clamp(eixos.x(i), eixos.plano.left() + largura / 2, eixos.plano.right() - largura / 2);
        const QRectF lugar(x - largura / 2, topo, largura, eixos.legenda.top() - topo);
        if (!datas.empty() && datas.back().first.intersects(lugar)) {
            if (k + 1 < quantas)
                continue;
            datas.pop_back();
        }
        datas.emplace_back(lugar, i);
    }
    for (const auto& [lugar, i] : datas)
        p.drawText(lugar, Qt::AlignCenter, textoDaData(passagens[i]));
}

// The speed of the passes of each column of pixels, from the lowest to the
// highest: when passes are narrower than a pixel, one upright line per column
// stands for them all.
std::vector<QLineF> colunasDasVelocidades(const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    std::vector<QLineF> colunas;
    const auto velocidade = [&](size_t i) { return std::max(passagens[i].velocidade, 0); };
    size_t i = 0;
    while (i < passagens.size()) {
        const long coluna = std::lround(eixos.x(i));
        int menor = velocidade(i);
        int maior = menor;
        for (++i; i < passagens.size() && std::lround(eixos.x(i)) == coluna; ++i) {
            menor = std::min(menor, velocidade(i));
            maior = std::max(maior, velocidade(i));
        }
        colunas.emplace_back(double(coluna), eixos.y(maior), double(coluna), eixos.y(menor));
    }
    return colunas;
}

QPolygonF curvaDasVelocidades(const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    QPolygonF curva;
    for (size_t i = 0; i < passagens.size(); ++i)
        curva << QPointF(eixos.x(i), eixos.y(std::max(passagens[i].velocidade, 0)));
    return curva;
}

// Every pass's exercise above its point when there is room for each; else
// where the exercise changes, wherever the last number left room.
void desenhaNumeros(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    const double u = unidade(p);
    const QFontMetricsF medida(p.font());
    const double altura = medida.height();
    double livreAPartirDe = eixos.plano.left();
    const double algarismo = medida.horizontalAdvance(u'0');
    for (size_t i = 0; i < passagens.size(); ++i) {
        const bool novo = i == 0 || passagens[i].exercicio != passagens[i - 1].exercicio;
        const double x = eixos.x(i);
        // most passes of a long history are passed over before any text is made
        if ((!novo && eixos.passo() < algarismo) || x - algarismo / 2 < livreAPartirDe)
            continue;
        const QString numero = QString::number(passagens[i].exercicio);
        const double largura = medida.horizontalAdvance(numero) + 2 * u;
        if ((!novo && eixos.passo() < largura) || x - largura / 2 < livreAPartirDe)
            continue;
        double y = eixos.y(std::max(passagens[i].velocidade, 0)) - 4 * u - altura;
        if (y < eixos.plano.top())
            y += altura + 8 * u;  // below the point when it touches the top
        p.drawText(QRectF(x - largura / 2, y, largura, altura), Qt::AlignCenter, numero);
        livreAPartirDe = x + largura / 2 + 2 * u;
    }
}

// A square cap, so that a column of equal speeds shows as a dot.
void desenhaColunas(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    p.setPen(QPen(kLinha, std::max(1.0, unidade(p)), Qt::SolidLine, Qt::SquareCap));
    const std::vector<QLineF> colunas = colunasDasVelocidades(eixos, passagens);
    p.drawLines(colunas.data(), int(colunas.size()));
}

// The line through every pass, and a dot for each while they stand apart,
// so that a single pass shows too.
void desenhaCurva(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    const double u = unidade(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLinha, 1.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(curvaDasVelocidades(eixos, passagens));
    if (eixos.passo() < 4 * u)
        return;
    const double raio = std::min(3 * u, eixos.passo() / 3);
    p.setBrush(kLinha);
    for (size_t i = 0; i < passagens.size(); ++i)
        p.drawEllipse(QPointF(eixos.x(i), eixos.y(std::max(passagens[i].velocidade, 0))), raio, raio);
}

void desenhaPontos(QPainter& p, const EixosDoGrafico& eixos, const std::vector<Passagem>& passagens)
{
    p.save();
    if (eixos.passo() < 1.0)
        desenhaColunas(p, eixos, passagens);
    else
        desenhaCurva(p, eixos, passagens);
    p.restore();
}

}  // namespace

QStringList linhasDaLegenda(const std::vector<Passagem>& passagens, const QFontMetricsF& medida, double largura)
{
    const std::vector<Secao>& secoes = SecoesDoCurso();
    std::vector<bool> presente(secoes.size(), false);
    for (const Faixa& faixa : faixasDasSecoes(passagens)) {
        if (faixa.secao >= 0)
            presente[size_t(faixa.secao)] = true;
    }
    const QString entre = QStringLiteral("     ");
    QStringList linhas;
    for (size_t secao = 0; secao < secoes.size(); ++secao) {
        if (!presente[secao])
            continue;
        const QString item = numeroDaSecao(int(secao)) + u' ' + secoes[secao].nome;
        if (!linhas.isEmpty() && medida.horizontalAdvance(linhas.last() + entre + item) <= largura)
            linhas.last() += entre + item;
        else
            linhas << item;
    }
    return linhas;
}

double EixosDoGrafico::passo() const
{
    return quantas == 0 ? plano.width() : plano.width() / double(quantas);
}

double EixosDoGrafico::x(size_t passagem) const
{
    return plano.left() + passo() * (double(passagem) + 0.5);
}

double EixosDoGrafico::y(int velocidade) const
{
    return plano.bottom() - plano.height() * double(velocidade) / double(std::max(topo, 1));
}

long EixosDoGrafico::passagemEm(double x) const
{
    if (quantas == 0 || x < plano.left() || x >= plano.right())
        return -1;
    return std::min(long(quantas) - 1, long((x - plano.left()) / passo()));
}

EixosDoGrafico eixosDoGrafico(const QRectF& area, const QFontMetricsF& medida,
                              const std::vector<Passagem>& passagens, int melhorVelocidade)
{
    EixosDoGrafico eixos;
    eixos.quantas = passagens.size();
    eixos.degrau = degrauDaGrade(melhorVelocidade);
    // a line of grid above the best speed, so that its number stands inside
    eixos.topo = (std::max(melhorVelocidade, 0) / eixos.degrau + 1) * eixos.degrau;
    const double esquerda = medida.horizontalAdvance(QString::number(eixos.topo) + QStringLiteral("  "));
    const double linha = medida.height();
    const double legenda = linha * double(linhasDaLegenda(passagens, medida, area.width()).size());
    eixos.legenda = QRectF(area.left(), area.bottom() - legenda, area.width(), legenda);
    eixos.plano = area.adjusted(std::max(esquerda, medida.horizontalAdvance(QStringLiteral("t/m  "))),
                                linha * 1.4, -linha * 0.5, -linha * 1.4 - legenda);
    return eixos;
}

void desenhaGrafico(QPainter& pintor, const QRectF& area, const std::vector<Passagem>& passagens,
                    int melhorVelocidade)
{
    const EixosDoGrafico eixos = eixosDoGrafico(area, QFontMetricsF(pintor.font()), passagens, melhorVelocidade);
    pintor.save();
    pintor.fillRect(eixos.plano, Qt::white);
    desenhaFaixas(pintor, eixos, area, passagens);
    desenhaGrade(pintor, eixos, area);
    if (passagens.empty()) {
        pintor.drawText(eixos.plano, Qt::AlignCenter, QStringLiteral("Nenhuma passagem ainda"));
    } else {
        desenhaDatas(pintor, eixos, passagens);
        desenhaLegenda(pintor, eixos, passagens);
        desenhaPontos(pintor, eixos, passagens);
        desenhaNumeros(pintor, eixos, passagens);
    }
    pintor.setPen(QPen(Qt::black, unidade(pintor)));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(eixos.plano);
    pintor.restore();
}
