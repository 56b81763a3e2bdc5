#include "app/relatorio.h"

#include "app/inicio.h"
#include "data/records.h"
#include "platform/causes.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "students/grafico.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

enum class Formato { Pdf, Csv };

const QStringList kColunas = {
    QStringLiteral("Código"),
    QStringLiteral("Nome"),
    QStringLiteral("Último exercício"),
    QStringLiteral("Passagens"),
    QStringLiteral("Dias de prática"),
    QStringLiteral("Primeira aula"),
    QStringLiteral("Última aula"),
    QStringLiteral("Melhor velocidade (t/m)"),
    QStringLiteral("Última velocidade (t/m)"),
    QStringLiteral("Teclas a treinar"),
};

// Of a student without a pass every figure is zero or empty: the table of
// such students keeps what tells them apart.
const QStringList kColunasSemPassagens = {
    QStringLiteral("Código"),
    QStringLiteral("Nome"),
    QStringLiteral("Cadastro"),
    QStringLiteral("Teclas a treinar"),
};

std::optional<Formato> formatoDe(const QString& arquivo)
{
    const QString extensao = QFileInfo(arquivo).suffix().toLower();
    if (extensao == u"pdf")
        return Formato::Pdf;
    if (extensao == u"csv")
        return Formato::Csv;
    return std::nullopt;
}

QStringList linha(const Desempenho& aluno)
{
    return {QString::number(aluno.codigo),
            aluno.nome,
            QString::number(aluno.ultimoExercicio),
            QString::number(aluno.passagens.size()),
            QString::number(aluno.diasDePratica),
            shortDate(aluno.primeiraAula),
            shortDate(aluno.ultimaAula),
            QString::number(aluno.melhorVelocidade),
            QString::number(aluno.ultimaVelocidade),
            estatisticas::TextoDasTeclasATreinar(aluno.teclas)};
}

QStringList linhaSemPassagens(const Desempenho& aluno)
{
    return {QString::number(aluno.codigo), aluno.nome, shortDate(aluno.cadastro),
            estatisticas::TextoDasTeclasATreinar(aluno.teclas)};
}

// The rows of the students numbered in alunos, each as linhaDe makes it.
std::vector<QStringList> linhasDos(const std::vector<Desempenho>& turma, const std::vector<size_t>& alunos,
                                   QStringList (*linhaDe)(const Desempenho&))
{
    std::vector<QStringList> linhas;
    for (const size_t i : alunos)
        linhas.push_back(linhaDe(turma[i]));
    return linhas;
}

// A spreadsheet runs a field that starts with one of these as a formula: a
// student named "=HYPERLINK(...)" would put a link into the teacher's sheet.
bool pareceFormula(const QString& campo)
{
    return !campo.isEmpty() && QStringView(u"=+-@\t\r").contains(campo.front());
}

// A field a spreadsheet might run is written after a "'", which it reads as
// "this is text"; a ";", a quote or a line break (a damaged name may hold
// one) puts the field between quotes, so that the row stays one row.
QString campoCsv(QString campo)
{
    if (pareceFormula(campo))
        campo.prepend(u'\'');
    if (!campo.contains(u';') && !campo.contains(u'"') && !campo.contains(u'\r') && !campo.contains(u'\n'))
        return campo;
    campo.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + campo + u'"';
}

QString linhaCsv(const QStringList& campos)
{
    QStringList cotados;
    for (const QString& campo : campos)
        cotados << campoCsv(campo);
    return cotados.join(u';') + QStringLiteral("\r\n");
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
    const std::vector<QStringList> linhas = linhasDos(turma, alunos, linha);
    const Tabela t = tabela(kColunas, linhas);
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

// The course's own files: its data files, whatever the case of their names,
// and its notes.
QFileInfoList arquivosDoCurso(const QString& pasta)
{
    const QDir::Filters todos = QDir::Files | QDir::Hidden | QDir::System;
    return QDir(pasta).entryInfoList({kArquivoExercicios, kArquivoAlunos, kArquivoAulas}, todos) +
           QDir(pasta + u'/' + kPastaDasNotas).entryInfoList(todos);
}

bool mesmoArquivo(const struct stat& a, const QFileInfo& b)
{
    struct stat st {};
    return ::stat(QFile::encodeName(b.filePath()).constData(), &st) == 0 && st.st_dev == a.st_dev &&
           st.st_ino == a.st_ino;
}

// Why the report may not go to arquivo: what lies there is not a plain file
// (a link planted in a shared folder, a pipe, a device), or it is one of the
// course's own files under another name. Nothing for a new name or an old report.
std::optional<QString> destinoRecusado(const QString& arquivo, const QString& pasta)
{
    if (const std::optional<QString> outraCoisa = naoEArquivoComum(arquivo))
        return *outraCoisa;
    struct stat st {};
    if (::lstat(QFile::encodeName(arquivo).constData(), &st) != 0)
        return std::nullopt;
    for (const QFileInfo& doCurso : arquivosDoCurso(pasta)) {
        if (mesmoArquivo(st, doCurso))
            return QStringLiteral("é o arquivo %1 do curso").arg(QDir::toNativeSeparators(doCurso.absoluteFilePath()));
    }
    return std::nullopt;
}

// The whole of conteudo into arquivo, or nothing: the old file stays until
// every byte of the new one is on the disk. The cause of a failure, or nothing.
std::optional<QString> gravaPorInteiro(const QString& arquivo, const QByteArray& conteudo)
{
    QSaveFile saida(arquivo);
    errno = 0;
    if (!saida.open(QIODevice::WriteOnly))
        return motivoDoSistema(errno);
    // A full disk first shows as a short write, which sets no error; the last
    // bytes reach the file only with the flush, and the disk may refuse them
    // only when asked to keep them.
    errno = 0;
    if (saida.write(conteudo) != conteudo.size() || !saida.flush() || ::fsync(saida.handle()) != 0)
        return motivoDoSistema(errno);
    errno = 0;
    if (!saida.commit())
        return motivoDoSistema(errno);
    return std::nullopt;
}

QString naoGravou(const QString& arquivo, const QString& motivo)
{
    return QStringLiteral("não foi possível gravar o relatório %1: %2").arg(QDir::toNativeSeparators(arquivo), motivo);
}

QString extensaoRecusada(const QString& arquivo)
{
    return QStringLiteral("o relatório deve ter a extensão .pdf ou .csv: %1").arg(arquivo);
}

QString naoLe(const QString& pasta, const QString& motivo)
{
    return QStringLiteral("não foi possível ler o curso em %1: %2").arg(QDir::toNativeSeparators(pasta), motivo);
}

// Enters the course folder, or tells why the report cannot be read there: no
// such folder, a data file that is not a plain file, or no course at all (no
// catalogue).
std::optional<QString> entraNoCurso(const QString& pasta)
{
    if (const std::optional<QString> arquivo = naoEPasta(pasta))
        return arquivo;
    if (!QFileInfo::exists(pasta))
        return QStringLiteral("a pasta do curso %1 não existe").arg(QDir::toNativeSeparators(pasta));
    errno = 0;
    if (!QDir::setCurrent(pasta))
        return naoLe(pasta, motivoDoSistema(errno));
    for (const QString& nome : {kArquivoExercicios, kArquivoAlunos, kArquivoAulas}) {
        if (const std::optional<QString> outraCoisa = naoEArquivoComum(nome))
            return naoLe(pasta, QStringLiteral("%1 %2").arg(nome, *outraCoisa));
    }
    if (!fileExists(kArquivoExercicios))
        return QStringLiteral("a pasta %1 não tem um curso: falta o catálogo %2")
            .arg(QDir::toNativeSeparators(pasta), kArquivoExercicios);
    return std::nullopt;
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

QByteArray relatorioCsv(const std::vector<Desempenho>& turma)
{
    QString texto = linhaCsv(kColunas);
    for (const Desempenho& aluno : turma)
        texto += linhaCsv(linha(aluno));
    return QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
}

std::optional<QString> gravaRelatorio(const QString& arquivo, const std::vector<Desempenho>& turma,
                                      const QString& pasta, const QDate& impresso)
{
    const std::optional<Formato> formato = formatoDe(arquivo);
    if (!formato)
        return extensaoRecusada(arquivo);
    if (const std::optional<QString> recusa = destinoRecusado(arquivo, pasta))
        return naoGravou(arquivo, *recusa);
    const QByteArray conteudo =
        *formato == Formato::Csv ? relatorioCsv(turma) : relatorioPdf(turma, pasta, impresso);
    if (conteudo.isEmpty())
        return naoGravou(arquivo, QStringLiteral("o PDF não pôde ser desenhado"));
    if (const std::optional<QString> problema = gravaPorInteiro(arquivo, conteudo))
        return naoGravou(arquivo, *problema);
    return std::nullopt;
}

std::optional<QString> relatorioDaLinhaDeComando(const QString& arquivo, const QString& pasta)
{
    const QString destino = QFileInfo(arquivo).absoluteFilePath();
    // a wrong name is told before the course is read
    if (!formatoDe(destino))
        return extensaoRecusada(destino);
    // its dates are the program's, whatever the system's locale
    setProgramLocale();
    if (const std::optional<QString> problema = entraNoCurso(pasta))
        return problema;
    try {
        return gravaRelatorio(destino, DesempenhoDaTurma(), pasta, dateOfDayCount(today()));
    } catch (const AppError& erro) {
        return naoLe(pasta, erro.message());
    }
}
