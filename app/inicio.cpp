#include "app/inicio.h"

#include "course/treino.h"
#include "data/records.h"
#include "platform/causes.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "students/desempenho.h"
#include "students/folhasdorelatorio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

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

// A file laid under a temporary name of its own, renamed into place once
// all are there.
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
    // the practice's phrases too: a folder laid before they came gets them at its next start
    for (const QString& arquivo : {kArquivoExercicios, treino::kArquivoPalavras, treino::kArquivoFrases}) {
        if (!QFileInfo::exists(pasta + u'/' + arquivo) && QFileInfo::exists(origem + u'/' + arquivo))
            lista << arquivo;
    }
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

// A name that no other start picks, drawn from the system's randomness (a
// generator seeded once would repeat its names in a forked process).
QString nomeUnico(const QString& comeco)
{
    return QStringLiteral("%1-%2").arg(comeco, QString::number(QRandomGenerator::system()->generate64(), 16));
}

// Lays copia.origem under a new temporary name in pasta. The file is created
// as every file of the program is, with the process umask, so a group-shared
// folder stays shared; it is created new, so no link planted there is followed.
std::optional<QString> copiaSobNomeTemporario(Copia& copia, const QString& pasta)
{
    QFile fonte(copia.origem);
    errno = 0;
    if (!fonte.open(QIODevice::ReadOnly))
        return QStringLiteral("Não foi possível ler %1: %2.")
            .arg(QDir::toNativeSeparators(copia.origem), motivoDoSistema(errno));
    const QByteArray conteudo = fonte.readAll();
    // several first starts on one folder each lay their own copy; the first
    // renamed into place wins
    QFile novo(nomeUnico(copia.destino + QStringLiteral(".novo")));
    errno = 0;
    if (!novo.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return naoGrava(pasta, motivoDoSistema(errno));
    copia.temporario = novo.fileName();
    errno = 0;
    if (novo.write(conteudo) != conteudo.size() || !novo.flush())
        return naoGrava(pasta, motivoDoSistema(errno));
    return std::nullopt;
}

// Gives temporario destino's name unless something lies there already: it
// never replaces a file and never follows a link planted there. The errno
// value of the failure, or 0.
int renomeiaSemSubstituir(const QString& temporario, const QString& destino)
{
    const QByteArray de = QFile::encodeName(temporario);
    const QByteArray para = QFile::encodeName(destino);
    if (::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, para.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    // a file system without that rename (some network shares): a second
    // name, and the temporary one goes with the others
    return ::link(de.constData(), para.constData()) == 0 ? 0 : errno;
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
    if (const std::optional<QString> arquivo = naoEPasta(pasta))
        return QStringLiteral("Não foi possível usar o curso: %1.").arg(*arquivo);
    errno = 0;
    if (!QDir().mkpath(pasta + u'/' + kPastaDasNotas))
        return QStringLiteral("Não foi possível criar a pasta do curso %1: %2.")
            .arg(QDir::toNativeSeparators(pasta), motivoDoSistema(errno));

    std::vector<Copia> copias;
    // once renamed into place a copy's temporary name is gone; else it goes here
    const auto semSobras = qScopeGuard([&copias] {
        for (const Copia& copia : copias) {
            if (!copia.temporario.isEmpty())
                QFile::remove(copia.temporario);
        }
    });
    for (const QString& relativo : faltando(pasta, origem)) {
        copias.push_back({origem + u'/' + relativo, pasta + u'/' + relativo, {}});
        if (const std::optional<QString> problema = copiaSobNomeTemporario(copias.back(), pasta))
            return problema;
    }
    // A folder the program cannot write to would fail at the first student.
    // The probe is a new file of a name of its own: a link planted in the
    // folder under any name is never followed.
    QFile teste(nomeUnico(pasta + QStringLiteral("/.quiravo-teste")));
    errno = 0;
    if (!teste.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return naoGrava(pasta, motivoDoSistema(errno));
    teste.remove();
    for (const Copia& copia : copias) {
        // a file laid meanwhile by another start stays as it is
        const int erro = renomeiaSemSubstituir(copia.temporario, copia.destino);
        if (erro != 0 && erro != EEXIST)
            return naoGrava(pasta, motivoDoSistema(erro));
    }
    return std::nullopt;
}

std::optional<QString> relatorioDaLinhaDeComando(const QString& arquivo, const QString& pasta)
{
    const QString destino = QFileInfo(arquivo).absoluteFilePath();
    // a wrong name is told before the course is read
    if (!formatoDoRelatorio(destino))
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
