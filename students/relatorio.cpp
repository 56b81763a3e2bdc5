#include "students/relatorio.h"

#include "data/records.h"
#include "platform/causes.h"
#include "platform/clock.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

}  // namespace

const QStringList kColunasDoRelatorio = {
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

std::optional<FormatoDoRelatorio> formatoDoRelatorio(const QString& arquivo)
{
    const QString extensao = QFileInfo(arquivo).suffix().toLower();
    if (extensao == u"pdf")
        return FormatoDoRelatorio::Pdf;
    if (extensao == u"csv")
        return FormatoDoRelatorio::Csv;
    return std::nullopt;
}

QStringList linhaDoRelatorio(const Desempenho& aluno)
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

QString extensaoRecusada(const QString& arquivo)
{
    return QStringLiteral("o relatório deve ter a extensão .pdf ou .csv: %1").arg(arquivo);
}

QByteArray relatorioCsv(const std::vector<Desempenho>& turma)
{
    QString texto = linhaCsv(kColunasDoRelatorio);
    for (const Desempenho& aluno : turma)
        texto += linhaCsv(linhaDoRelatorio(aluno));
    return QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
}

std::optional<QString> gravaArquivoDoRelatorio(const QString& arquivo, const QString& pasta,
                                               const std::function<QByteArray(FormatoDoRelatorio)>& conteudoEm)
{
    const std::optional<FormatoDoRelatorio> formato = formatoDoRelatorio(arquivo);
    if (!formato)
        return extensaoRecusada(arquivo);
    if (const std::optional<QString> recusa = destinoRecusado(arquivo, pasta))
        return naoGravou(arquivo, *recusa);
    const QByteArray conteudo = conteudoEm(*formato);
    if (conteudo.isEmpty())
        return naoGravou(arquivo, QStringLiteral("o PDF não pôde ser desenhado"));
    if (const std::optional<QString> problema = gravaPorInteiro(arquivo, conteudo))
        return naoGravou(arquivo, *problema);
    return std::nullopt;
}
