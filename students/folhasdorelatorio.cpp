#include "students/folhasdorelatorio.h"

#include "platform/clock.h"
#include "students/grafico.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace {

// The rows of the students numbered in alunos, each as linhaDe makes it.
std::vector<QStringList> linhasDos(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos,
                                   QStringList (*linhaDe)(const Desempenho&))
{
    std::vector<QStringList> linhas;
    for (const size_t i : alunos)
        linhas.push_back(linhaDe(turma[i]));
    return linhas;
}

// A control character of a damaged name is printed as a blank: raw, it
// would break the line or draw nothing at all.
QString visivel(QString texto)
{
    for (QChar& c : texto) {
        if (!c.isPrint())
            c = u' ';
    }
    return texto;
}

// A word cut where the line ends, each piece as long as a line holds.
QStringList pedacosDaPalavra(const QString& palavra, const QFontMetricsF& medida, double largura)
{
    QStringList pedacos{QString()};
    for (const QChar c : palavra) {
        if (!pedacos.last().isEmpty() && medida.horizontalAdvance(pedacos.last() + c) > largura)
            pedacos << QString();
        pedacos.last() += c;
    }
    return pedacos;
}

double somaDe(const std::vector<double>& valores)
{
    return std::accumulate(valores.begin(), valores.end(), 0.0);
}

// The one width to which the widest of minimas are narrowed so that all of
// them add up to largura.
double tetoDasColunas(std::vector<double> minimas, double largura)
{
    std::sort(minimas.begin(), minimas.end(), std::greater<>());
    double abaixo = somaDe(minimas);
    for (size_t k = 0; k < minimas.size(); ++k) {
        abaixo -= minimas[k];
        const double teto = (largura - abaixo) / double(k + 1);
        if (k + 1 == minimas.size() || teto >= minimas[k + 1])
            return std::max(teto, 0.0);
    }
    return 0;
}

// The report's tables, texts and charts laid out on pages, top to bottom.
class Diagramacao {
public:
    explicit Diagramacao(const QPaintDevice& folhas);

    void cabecalho(const QString& pasta, const QDate& impresso);
    void comPassagens(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos);
    void semPassagens(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos);
    std::vector<FolhaDoRelatorio> numeradas();

private:
    struct Tabela {
        QStringList titulos;
        std::vector<double> larguras;
    };

    double mm(double milimetros) const { return milimetros * folhas_.logicalDpiY() / 25.4; }
    QFont fonte(double pontos, bool negrito) const;
    QFontMetricsF medida(const QFont& f) const { return QFontMetricsF(f, &folhas_); }
    Tabela tabela(const QStringList& titulos, const std::vector<QStringList>& linhas) const;
    std::vector<QStringList> linhasDaCelula(const Tabela& t, const QStringList& campos, const QFont& f) const;
    double alturaDaLinha(const Tabela& t, const QStringList& campos, bool negrito) const;
    void linhaDaTabela(const Tabela& t, const QStringList& campos, bool negrito);
    // A text across the page, in as many lines as it takes.
    void texto(const QString& conteudo, const QFont& f, double espacoDepois);
    // Goes on to a new page unless altura fits under what is there; the
    // headings of t come again on top of a new page.
    void cabe(double altura, const Tabela* t);

    const QPaintDevice& folhas_;
    const double largura_;
    // the page above its foot, where the page's number goes
    const double altura_;
    // between a cell's text and its frame: the screen's small type may draw
    // a few percent wider than the paper's
    const double margem_;
    std::vector<FolhaDoRelatorio> paginas_ = std::vector<FolhaDoRelatorio>(1);
    double y_ = 0;
};

Diagramacao::Diagramacao(const QPaintDevice& folhas)
    : folhas_(folhas), largura_(folhas.width()), altura_(folhas.height() - mm(8)), margem_(mm(1.5))
{
}

QFont Diagramacao::fonte(double pontos, bool negrito) const
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    return f;
}

// Each column as wide as its widest word, in its headings' bold type or its
// cells' plain one. Where there is room, its cells' texts on one line, and
// then its heading's too: a heading in two lines is drawn once a page, a row
// in two lines on every row.
Diagramacao::Tabela Diagramacao::tabela(const QStringList& titulos, const std::vector<QStringList>& linhas) const
{
    const QFontMetricsF negrito = medida(fonte(8, true));
    const QFontMetricsF comum = medida(fonte(8, false));
    const size_t colunas = size_t(titulos.size());
    std::vector<double> minimas(colunas, 0.0);
    std::vector<double> celulas(colunas, 0.0);
    std::vector<double> inteiras(colunas, 0.0);
    const auto mede = [&](size_t coluna, const QString& texto, const QFontMetricsF& m, std::vector<double>& naLinha) {
        for (const QString& palavra : texto.split(u' ', Qt::SkipEmptyParts))
            minimas[coluna] = std::max(minimas[coluna], m.horizontalAdvance(palavra) + 2 * margem_);
        naLinha[coluna] = std::max(naLinha[coluna], m.horizontalAdvance(texto) + 2 * margem_);
    };
    for (size_t i = 0; i < colunas; ++i) {
        mede(i, titulos[qsizetype(i)], negrito, inteiras);
        for (const QStringList& campos : linhas)
            mede(i, visivel(campos[qsizetype(i)]), comum, celulas);
    }
    for (size_t i = 0; i < colunas; ++i) {
        celulas[i] = std::max(celulas[i], minimas[i]);
        inteiras[i] = std::max(inteiras[i], celulas[i]);
    }
    // the frame's last line stays inside the page's printable width
    const double largura = largura_ - 1;
    if (somaDe(celulas) < largura)
        return {titulos, largurasDasColunas(celulas, inteiras, largura)};
    return {titulos, largurasDasColunas(minimas, celulas, largura)};
}

std::vector<QStringList> Diagramacao::linhasDaCelula(const Tabela& t, const QStringList& campos,
                                                    const QFont& f) const
{
    std::vector<QStringList> celulas;
    for (size_t i = 0; i < t.larguras.size(); ++i)
        celulas.push_back(quebraEmLinhas(visivel(campos[qsizetype(i)]), medida(f), t.larguras[i] - 2 * margem_));
    return celulas;
}

double Diagramacao::alturaDaLinha(const Tabela& t, const QStringList& campos, bool negrito) const
{
    const QFont f = fonte(8, negrito);
    qsizetype linhas = 1;
    for (const QStringList& celula : linhasDaCelula(t, campos, f))
        linhas = std::max(linhas, celula.size());
    return double(linhas) * medida(f).lineSpacing() + 2 * margem_;
}

void Diagramacao::linhaDaTabela(const Tabela& t, const QStringList& campos, bool negrito)
{
    const QFont f = fonte(8, negrito);
    const double altura = alturaDaLinha(t, campos, negrito);
    const std::vector<QStringList> celulas = linhasDaCelula(t, campos, f);
    double x = 0;
    for (size_t i = 0; i < celulas.size(); ++i) {
        const QRectF moldura(x, y_, t.larguras[i], altura);
        paginas_.back().textos.push_back({celulas[i], f, moldura.adjusted(margem_, margem_, -margem_, -margem_),
                                          Qt::AlignLeft | Qt::AlignVCenter, moldura});
        x += t.larguras[i];
    }
    y_ += altura;
}

void Diagramacao::texto(const QString& conteudo, const QFont& f, double espacoDepois)
{
    const QStringList linhas = quebraEmLinhas(visivel(conteudo), medida(f), largura_);
    const double altura = double(linhas.size()) * medida(f).lineSpacing();
    paginas_.back().textos.push_back(
        {linhas, f, QRectF(0, y_, largura_, altura), Qt::AlignLeft | Qt::AlignVCenter, {}});
    y_ += altura + espacoDepois;
}

void Diagramacao::cabe(double altura, const Tabela* t)
{
    if (y_ + altura <= altura_ || y_ == 0)
        return;
    paginas_.emplace_back();
    y_ = 0;
    if (t)
        linhaDaTabela(*t, t->titulos, true);
}

void Diagramacao::cabecalho(const QString& pasta, const QDate& impresso)
{
    texto(kTituloDoRelatorio, fonte(16, true), mm(2));
    texto(QStringLiteral("Pasta do curso: %1").arg(QDir::toNativeSeparators(pasta)), fonte(9, false), mm(1));
    texto(QStringLiteral("Impresso em %1").arg(shortDate(impresso)), fonte(9, false), mm(5));
}

void Diagramacao::comPassagens(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos)
{
    if (alunos.empty())
        return;
    const std::vector<QStringList> linhas = linhasDos(turma, alunos, linhaDoRelatorio);
    const Tabela t = tabela(kColunasDoRelatorio, linhas);
    // room for the legend of the chart's sections too
    const double grafico = mm(30);
    cabe(alturaDaLinha(t, t.titulos, true) + alturaDaLinha(t, linhas.front(), false) + grafico, nullptr);
    linhaDaTabela(t, t.titulos, true);
    for (size_t k = 0; k < alunos.size(); ++k) {
        cabe(alturaDaLinha(t, linhas[k], false) + grafico, &t);
        linhaDaTabela(t, linhas[k], false);
        paginas_.back().graficos.push_back({QRectF(mm(4), y_ + mm(2), largura_ - mm(8), grafico - mm(2)), alunos[k]});
        y_ += grafico + mm(4);
    }
}

void Diagramacao::semPassagens(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos)
{
    if (alunos.empty())
        return;
    const std::vector<QStringList> linhas = linhasDos(turma, alunos, linhaSemPassagens);
    const Tabela t = tabela(kColunasSemPassagens, linhas);
    const QFont subtitulo = fonte(11, true);
    // the title stays with the headings and the first student
    cabe(medida(subtitulo).lineSpacing() + mm(2) + alturaDaLinha(t, t.titulos, true) +
             alturaDaLinha(t, linhas.front(), false),
         nullptr);
    texto(QStringLiteral("Alunos ainda sem passagens"), subtitulo, mm(2));
    linhaDaTabela(t, t.titulos, true);
    for (const QStringList& campos : linhas) {
        cabe(alturaDaLinha(t, campos, false), &t);
        linhaDaTabela(t, campos, false);
    }
}

std::vector<FolhaDoRelatorio> Diagramacao::numeradas()
{
    const QFont f = fonte(8, false);
    const double altura = medida(f).lineSpacing();
    for (size_t n = 0; n < paginas_.size(); ++n) {
        const QString numero = QStringLiteral("Página %1 de %2").arg(n + 1).arg(paginas_.size());
        paginas_[n].textos.push_back({{numero}, f, QRectF(0, folhas_.height() - altura, largura_, altura),
                                      Qt::AlignHCenter | Qt::AlignVCenter, {}});
    }
    return std::move(paginas_);
}

void desenhaFolha(QPainter& p, const FolhaDoRelatorio& folha, const std::vector<Desempenho>& turma)
{
    // the frames' lines a fifth of a millimetre wide: one of a printer's
    // pixels would not show in the preview
    p.setPen(QPen(Qt::black, 0.2 * p.device()->logicalDpiY() / 25.4));
    for (const TextoNaFolha& t : folha.textos) {
        if (!t.moldura.isEmpty())
            p.drawRect(t.moldura);
        p.setFont(t.fonte);
        // the lines were measured to fit: a glyph's edge is never cut off
        p.drawText(t.caixa, int(t.alinhamento) | Qt::TextDontClip, t.linhas.join(u'\n'));
    }
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(7);
    p.setFont(f);
    for (const GraficoNaFolha& g : folha.graficos)
        desenhaGrafico(p, g.area, turma[g.aluno].passagens, turma[g.aluno].melhorVelocidade);
}

// The PDF, drawn in memory: QPdfWriter and QPainter look at none of their
// device's write results, so a file written as they draw could lose its end
// unnoticed. Empty when it cannot be drawn.
QByteArray relatorioPdf(const std::vector<Desempenho>& turma, const QString& pasta, const QDate& impresso)
{
    QBuffer saida;
    saida.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&saida);
    preparaFolhas(pdf);
    pdf.setResolution(300);
    pdf.setTitle(kTituloDoRelatorio);
    if (!desenhaRelatorio(pdf, turma, pasta, impresso))
        return {};
    return saida.data();
}


}  // namespace

void preparaFolhas(QPagedPaintDevice& folhas)
{
    folhas.setPageSize(QPageSize(QPageSize::A4));
    folhas.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

std::vector<FolhaDoRelatorio> folhasDoRelatorio(const QPaintDevice& folhas, const std::vector<Desempenho>& turma,
                                                const QString& pasta, const QDate& impresso)
{
    std::vector<size_t> comPassagens;
    std::vector<size_t> semPassagens;
    for (size_t i = 0; i < turma.size(); ++i)
        (turma[i].passagens.empty() ? semPassagens : comPassagens).push_back(i);
    Diagramacao diagramacao(folhas);
    diagramacao.cabecalho(pasta, impresso);
    diagramacao.comPassagens(turma, comPassagens);
    diagramacao.semPassagens(turma, semPassagens);
    return diagramacao.numeradas();
}

std::vector<double> largurasDasColunas(const std::vector<double>& minimas, const std::vector<double>& naturais,
                                       double largura)
{
    std::vector<double> larguras = minimas;
    const double sobra = largura - somaDe(minimas);
    if (sobra <= 0) {
        const double teto = tetoDasColunas(minimas, largura);
        for (double& l : larguras)
            l = std::min(l, teto);
        return larguras;
    }
    std::vector<double> faltas;
    for (size_t i = 0; i < minimas.size(); ++i)
        faltas.push_back(std::max(naturais[i] - minimas[i], 0.0));
    const double falta = somaDe(faltas);
    if (falta >= sobra) {
        for (size_t i = 0; i < larguras.size(); ++i)
            larguras[i] += faltas[i] * sobra / falta;
        return larguras;
    }
    for (size_t i = 0; i < larguras.size(); ++i)
        larguras[i] += faltas[i];
    const double inteiras = somaDe(larguras);
    for (double& l : larguras)
        l += (sobra - falta) * l / inteiras;
    return larguras;
}

QStringList quebraEmLinhas(const QString& texto, const QFontMetricsF& medida, double largura)
{
    QStringList linhas;
    for (const QString& palavra : texto.split(u' ', Qt::SkipEmptyParts)) {
        if (!linhas.isEmpty() && medida.horizontalAdvance(linhas.last() + u' ' + palavra) <= largura)
            linhas.last() += u' ' + palavra;
        else
            linhas << pedacosDaPalavra(palavra, medida, largura);
    }
    return linhas;
}

bool desenhaRelatorio(QPagedPaintDevice& folhas, const std::vector<Desempenho>& turma, const QString& pasta,
                      const QDate& impresso)
{
    const std::vector<FolhaDoRelatorio> paginas = folhasDoRelatorio(folhas, turma, pasta, impresso);
    QPainter pintor;
    if (!pintor.begin(&folhas))
        return false;
    for (size_t n = 0; n < paginas.size(); ++n) {
        if (n > 0)
            folhas.newPage();
        desenhaFolha(pintor, paginas[n], turma);
    }
    return pintor.end();
}

std::optional<QString> gravaRelatorio(const QString& arquivo, const std::vector<Desempenho>& turma,
                                      const QString& pasta, const QDate& impresso)
{
    return gravaArquivoDoRelatorio(arquivo, pasta, [&](FormatoDoRelatorio formato) {
        return formato == FormatoDoRelatorio::Csv ? relatorioCsv(turma) : relatorioPdf(turma, pasta, impresso);
    });
}
