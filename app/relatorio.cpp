#include "app/relatorio.h"

#include "app/inicio.h"
#include "app/motivos.h"
#include "data/records.h"
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

#include <cerrno>
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

// The share of the table's width of each column, in hundredths.
constexpr int kLarguras[] = {6, 17, 9, 9, 8, 10, 10, 10, 10, 11};

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

// A spreadsheet runs a field that starts with one of these as a formula: a
// student named "=HYPERLINK(...)" would put a link into the teacher's sheet.
bool pareceFormula(const QString& campo)
{
    return !campo.isEmpty() && QStringView(u"=+-@\t\r").contains(campo.front());
}

// A field a spreadsheet might run is written after a "'", which it reads as
// "this is text"; a ";" or a quote puts the field between quotes.
QString campoCsv(QString campo)
{
    if (pareceFormula(campo))
        campo.prepend(u'\'');
    if (!campo.contains(u';') && !campo.contains(u'"'))
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

// The text of a cell in lines broken at its blanks only: a line break after
// a slash would split a unit such as "(t/m)".
QString quebraNosEspacos(const QString& texto, const QFontMetricsF& medida, double largura)
{
    if (medida.horizontalAdvance(texto) <= largura)
        return texto;
    QStringList linhas;
    for (const QString& palavra : texto.split(u' ', Qt::SkipEmptyParts)) {
        if (!linhas.isEmpty() && medida.horizontalAdvance(linhas.last() + u' ' + palavra) <= largura)
            linhas.last() += u' ' + palavra;
        else
            linhas << palavra;
    }
    return linhas.join(u'\n');
}

// Lays the report out on A4 pages, a student (row and chart) never split.
class Folhas {
public:
    Folhas(QPagedPaintDevice& folhas, QPainter& pintor)
        : folhas_(folhas), p_(pintor), largura_(folhas.width()), altura_(folhas.height())
    {
    }

    void cabecalho(const QString& pasta, const QDate& impresso);
    void aluno(const Desempenho& aluno);

private:
    int mm(double milimetros) const { return int(milimetros * folhas_.logicalDpiY() / 25.4); }
    void fonte(double pontos, bool negrito);
    void linhaDaTabela(const QStringList& campos, int alturaDaLinha, bool negrito);
    void grafico(const Desempenho& aluno, const QRect& area);

    QPagedPaintDevice& folhas_;
    QPainter& p_;
    int largura_;
    int altura_;
    int y_ = 0;
};

void Folhas::fonte(double pontos, bool negrito)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    p_.setFont(f);
}

void Folhas::cabecalho(const QString& pasta, const QDate& impresso)
{
    fonte(16, true);
    p_.drawText(QRect(0, y_, largura_, mm(9)), Qt::AlignLeft | Qt::AlignVCenter, kTituloDoRelatorio);
    y_ += mm(10);
    fonte(9, false);
    p_.drawText(QRect(0, y_, largura_, mm(5)), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("Pasta do curso: %1").arg(QDir::toNativeSeparators(pasta)));
    y_ += mm(5);
    p_.drawText(QRect(0, y_, largura_, mm(5)), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("Impresso em %1").arg(shortDate(impresso)));
    y_ += mm(8);
    linhaDaTabela(kColunas, mm(10), true);
}

void Folhas::linhaDaTabela(const QStringList& campos, int alturaDaLinha, bool negrito)
{
    fonte(8, negrito);
    int x = 0;
    for (int i = 0; i < campos.size(); ++i) {
        // the last line of the frame stays inside the page's printable width
        const QRect celula(x, y_, (largura_ - 1) * kLarguras[i] / 100, alturaDaLinha);
        const QRect texto = celula.adjusted(mm(1), 0, -mm(1), 0);
        p_.drawRect(celula);
        p_.drawText(texto, Qt::AlignVCenter | Qt::AlignLeft,
                    quebraNosEspacos(campos[i], QFontMetricsF(p_.font()), texto.width()));
        x += celula.width();
    }
    y_ += alturaDaLinha;
}

void Folhas::aluno(const Desempenho& aluno)
{
    const int alturaDaLinha = mm(7);
    // room for the legend of the chart's sections too
    const int alturaDoGrafico = mm(30);
    const int bloco = alturaDaLinha + alturaDoGrafico + mm(4);
    if (y_ + bloco > altura_) {
        folhas_.newPage();
        y_ = 0;
        linhaDaTabela(kColunas, mm(10), true);
    }
    linhaDaTabela(linha(aluno), alturaDaLinha, false);
    grafico(aluno, QRect(mm(4), y_ + mm(2), largura_ - mm(8), alturaDoGrafico - mm(2)));
    y_ += bloco - alturaDaLinha;
}

void Folhas::grafico(const Desempenho& aluno, const QRect& area)
{
    fonte(7, false);
    desenhaGrafico(p_, QRectF(area), aluno.passagens, aluno.melhorVelocidade);
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

bool desenhaRelatorio(QPagedPaintDevice& folhas, const std::vector<Desempenho>& turma, const QString& pasta,
                      const QDate& impresso)
{
    QPainter pintor;
    if (!pintor.begin(&folhas))
        return false;
    Folhas paginas(folhas, pintor);
    paginas.cabecalho(pasta, impresso);
    for (const Desempenho& aluno : turma)
        paginas.aluno(aluno);
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
