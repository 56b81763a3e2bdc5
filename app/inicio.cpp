#include "app/inicio.h"

#include "data/records.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <utility>
#include <vector>

namespace {

const QString kPastaDasNotas = QStringLiteral("notas");
constexpr int kSaidaUsoErrado = 2;

const QCommandLineOption kAjuda({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Mostra esta ajuda e sai."));
const QCommandLineOption kVersao({QStringLiteral("v"), QStringLiteral("version")},
                                 QStringLiteral("Mostra a versão e sai."));
const QCommandLineOption kCurso(QStringLiteral("curso"),
                                QStringLiteral("Usa DIR como pasta do curso, criada se faltar\n"
                                               "                   (uma escola pode dar a mesma pasta a "
                                               "todas as máquinas)."),
                                QStringLiteral("DIR"));
const QCommandLineOption kRelatorio(QStringLiteral("relatorio"),
                                    QStringLiteral("Grava o relatório da turma em ARQ (.pdf ou .csv)\n"
                                                   "                   e sai, sem abrir janela."),
                                    QStringLiteral("ARQ"));

QString uso()
{
    return QStringLiteral(
               "Uso: quiravo [opções]\n"
               "Curso de digitação: exercícios de cópia, um aluno por vez, com senha.\n"
               "\n"
               "Opções:\n"
               "  -h, --help       %1\n"
               "  -v, --version    %2\n"
               "  --curso DIR      %3\n"
               "  --relatorio ARQ  %4\n"
               "\n"
               "Sem --curso, o programa trabalha na pasta atual se ela tiver o curso\n"
               "(%5), ou na pasta do curso do usuário.\n")
        .arg(kAjuda.description(), kVersao.description(), kCurso.description(), kRelatorio.description(),
             kArquivoExercicios);
}

LinhaDeComando termina(int saida, QString mensagem)
{
    LinhaDeComando linha;
    linha.saida = saida;
    linha.mensagem = std::move(mensagem);
    return linha;
}

// An option without its value can only be the last argument.
QString faltaOValor(const QString& ultimo)
{
    if (ultimo.endsWith(QStringLiteral("relatorio")))
        return QStringLiteral("falta o arquivo depois de --relatorio");
    return QStringLiteral("falta a pasta depois de --curso");
}

// A file laid under a temporary name, renamed into place once all are there.
struct Copia {
    QString origem;
    QString destino;
    QString temporario;
};

// The files of `origem` that the folder lacks, relative to both.
QStringList faltando(const QString& pasta, const QString& origem)
{
    QStringList lista;
    if (origem.isEmpty())
        return lista;
    if (!QFileInfo::exists(pasta + u'/' + kArquivoExercicios) && QFileInfo::exists(origem + u'/' + kArquivoExercicios))
        lista << kArquivoExercicios;
    const QDir notas(origem + u'/' + kPastaDasNotas);
    for (const QString& nota : notas.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name)) {
        const QString relativo = kPastaDasNotas + u'/' + nota;
        if (!QFileInfo::exists(pasta + u'/' + relativo))
            lista << relativo;
    }
    return lista;
}

QString naoGrava(const QString& pasta, const QString& motivo)
{
    return QStringLiteral("Não foi possível gravar na pasta do curso %1: %2.")
        .arg(QDir::toNativeSeparators(pasta), motivo);
}

void desfaz(const std::vector<Copia>& copias)
{
    for (const Copia& copia : copias)
        QFile::remove(copia.temporario);
}

}  // namespace

LinhaDeComando leLinhaDeComando(const QStringList& argumentos)
{
    QCommandLineParser leitor;
    leitor.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    leitor.addOptions({kAjuda, kVersao, kCurso, kRelatorio});
    if (!leitor.parse(argumentos)) {
        const QStringList desconhecidas = leitor.unknownOptionNames();
        const QString problema = desconhecidas.isEmpty()
            ? faltaOValor(argumentos.last())
            : QStringLiteral("opção desconhecida: %1%2")
                  .arg(desconhecidas.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                       desconhecidas.first());
        return termina(kSaidaUsoErrado, QStringLiteral("quiravo: %1\n\n%2").arg(problema, uso()));
    }
    if (!leitor.positionalArguments().isEmpty())
        return termina(kSaidaUsoErrado, QStringLiteral("quiravo: argumento inesperado: %1\n\n%2")
                                            .arg(leitor.positionalArguments().first(), uso()));
    if (leitor.isSet(kAjuda))
        return termina(0, uso());
    if (leitor.isSet(kVersao))
        return termina(0, QStringLiteral("Quiravo %1\n").arg(QStringLiteral(QUIRAVO_VERSAO)));
    LinhaDeComando linha;
    if (leitor.isSet(kCurso))
        linha.curso = leitor.value(kCurso);
    if (leitor.isSet(kRelatorio))
        linha.relatorio = leitor.value(kRelatorio);
    return linha;
}

QString escolhePastaDoCurso(const std::optional<QString>& curso)
{
    if (curso)
        return QDir(*curso).absolutePath();
    if (QFileInfo::exists(kArquivoExercicios))
        return QDir::currentPath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString pastaDosArquivosDoCurso()
{
    const QString programa = QCoreApplication::applicationDirPath();
    // installed: bin/ beside share/quiravo; in the build tree: app/ beside content/
    for (const QString& candidata : {programa + QStringLiteral("/../share/quiravo"),
                                     programa + QStringLiteral("/../content")}) {
        if (QFileInfo::exists(candidata + u'/' + kArquivoExercicios))
            return QDir(candidata).canonicalPath();
    }
    return {};
}

std::optional<QString> preparaPastaDoCurso(const QString& pasta, const QString& origem)
{
    if (!QDir().mkpath(pasta + u'/' + kPastaDasNotas))
        return QStringLiteral("Não foi possível criar a pasta do curso %1: %2.")
            .arg(QDir::toNativeSeparators(pasta), qt_error_string(errno));

    std::vector<Copia> copias;
    for (const QString& relativo : faltando(pasta, origem)) {
        Copia copia{origem + u'/' + relativo, pasta + u'/' + relativo, pasta + u'/' + relativo + QStringLiteral(".novo")};
        QFile::remove(copia.temporario);
        QFile arquivo(copia.origem);
        if (!arquivo.copy(copia.temporario)) {
            desfaz(copias);
            return naoGrava(pasta, arquivo.errorString());
        }
        copias.push_back(copia);
    }
    // a folder the program cannot write to would fail at the first student
    QFile teste(pasta + QStringLiteral("/.quiravo-teste"));
    if (!teste.open(QIODevice::WriteOnly)) {
        desfaz(copias);
        return naoGrava(pasta, teste.errorString());
    }
    teste.close();
    teste.remove();
    for (const Copia& copia : copias) {
        if (!QFile::rename(copia.temporario, copia.destino))
            QFile::remove(copia.temporario);  // laid meanwhile by another start: it stays
    }
    return std::nullopt;
}
