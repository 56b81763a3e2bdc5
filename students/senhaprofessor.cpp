#include "students/senhaprofessor.h"

#include "data/alteracoes.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"

#include <QByteArray>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <sodium.h>
#include <unistd.h>

PortaDaSenhaProfessor PortaSenhaProfessor;

namespace {

constexpr int kPrimeiraEspera = 1000;
constexpr int kMaiorEspera = 30'000;
constexpr int kMsPorSegundo = 1000;
const QByteArray kPrefixo = QByteArrayLiteral(crypto_pwhash_argon2id_STRPREFIX);

void iniciaSodium()
{
    if (sodium_init() < 0)
        throw AppError(QStringLiteral("A biblioteca de criptografia (libsodium) não pôde ser iniciada"));
}

// The password's bytes, wiped from memory when they go.
struct Bytes {
    explicit Bytes(const QString& texto)
        : bytes(texto.toUtf8())
    {
    }
    ~Bytes() { sodium_memzero(bytes.data(), size_t(bytes.size())); }
    Bytes(const Bytes&) = delete;
    Bytes& operator=(const Bytes&) = delete;

    QByteArray bytes;
};

[[noreturn]] void arquivoDanificado()
{
    throw AppError(QStringLiteral("O arquivo %1 não guarda uma senha do professor; apague-o para criar uma senha nova")
                       .arg(shownFileName(kArquivoSenhaProfessor)));
}

// An Argon2id hash made with the costs the program itself uses. A hash
// planted with a larger memory or time cost would hold the program for
// seconds and gigabytes at every check: it is never verified.
bool eDoPrograma(const QByteArray& hash)
{
    return hash.startsWith(kPrefixo)
           && crypto_pwhash_str_needs_rehash(hash.constData(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                             crypto_pwhash_MEMLIMIT_INTERACTIVE)
                  == 0;
}

// The hash as the file holds it, one line.
QByteArray hashGuardado()
{
    RecordFile arquivo(kArquivoSenhaProfessor, 1, RecordFile::Access::Read);
    const std::int64_t tamanho = arquivo.recordCount();
    if (tamanho == 0 || tamanho >= crypto_pwhash_STRBYTES)
        arquivoDanificado();
    const std::span<const char> lido = arquivo.readAhead(tamanho);
    QByteArray hash(lido.data(), qsizetype(lido.size()));
    arquivo.close();
    hash = hash.trimmed();
    if (!eDoPrograma(hash))
        arquivoDanificado();
    return hash;
}

// The line the file keeps for senha.
QByteArray linhaDoHash(const QString& senha)
{
    iniciaSodium();
    const Bytes digitada(senha);
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(hash, digitada.bytes.constData(), size_t(digitada.bytes.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw AppError(QStringLiteral("Falta memória para guardar a senha do professor"));
    return QByteArray(hash) + '\n';
}

[[noreturn]] void naoTrocou(int erro)
{
    throw AppError(QStringLiteral("A senha do professor não foi trocada (%1): a senha de antes continua valendo")
                       .arg(IoError::fromErrno(erro).message()));
}

// The file's bytes replaced whole: they go to a temporary file beside it,
// onto the disk, and that file then takes its name.
void substituiPorInteiro(const QString& nome, const QByteArray& conteudo)
{
    // a link, a folder or nothing in the file's place is refused by name
    RecordFile(nome, 1, RecordFile::Access::Read).close();
    QSaveFile novo(shownFileName(nome));
    errno = 0;
    if (!novo.open(QIODevice::WriteOnly))
        naoTrocou(errno);
    errno = 0;
    if (novo.write(conteudo) != conteudo.size() || !novo.flush() || ::fsync(novo.handle()) != 0)
        naoTrocou(errno);
    errno = 0;
    if (!novo.commit())
        naoTrocou(errno);
}

}  // namespace

bool ProfessorTemSenha()
{
    return fileExists(kArquivoSenhaProfessor);
}

std::optional<QString> ProblemaDaSenhaProfessor(const QString& senha)
{
    if (senha.size() < kMinimoSenhaProfessor)
        return QStringLiteral("A senha do professor precisa ter pelo menos %1 caracteres.").arg(kMinimoSenhaProfessor);
    return std::nullopt;
}

bool CriaSenhaProfessor(const QString& senha)
{
    // readable by the class, for the teacher may sign in from any account;
    // replaced or changed by the teacher's account alone
    if (!createWhole(kArquivoSenhaProfessor, linhaDoHash(senha), Writers::OwnerOnly))
        return false;
    RegistraAlteracaoDoCurso(QStringLiteral("senha do professor criada"));
    return true;
}

void TrocaSenhaProfessor(const QString& senha)
{
    substituiPorInteiro(kArquivoSenhaProfessor, linhaDoHash(senha));
    RegistraAlteracaoDoCurso(QStringLiteral("senha do professor trocada"));
}

ConferenciaDaSenha ConfereSenhaProfessor(const QString& senha)
{
    PortaDaSenhaProfessor& porta = PortaSenhaProfessor;
    const qint64 agora = monotonicMs();
    if (agora < porta.fechadaAte)
        return {false, porta.fechadaAte};
    iniciaSodium();
    const QByteArray hash = hashGuardado();
    const Bytes digitada(senha);
    if (crypto_pwhash_str_verify(hash.constData(), digitada.bytes.constData(), size_t(digitada.bytes.size())) == 0) {
        porta = {};
        return {true, agora};
    }
    ++porta.erros;
    porta.fechadaAte = monotonicMs() + EsperaAposErros(porta.erros);
    return {false, porta.fechadaAte};
}

int EsperaAposErros(int erros)
{
    if (erros <= 0)
        return 0;
    // doubled from the first wait on, as long as it stays below the longest
    const int dobras = std::min(erros - 1, 16);
    return std::min(kPrimeiraEspera << dobras, kMaiorEspera);
}

PortaoDaSenha::PortaoDaSenha(QObject* parent)
    : QObject(parent)
{
    relogio_.setSingleShot(true);
    connect(&relogio_, &QTimer::timeout, this, &PortaoDaSenha::atualiza);
    atualiza();
}

bool PortaoDaSenha::confere(const QString& senha)
{
    const bool certa = ConfereSenhaProfessor(senha).certa;
    atualiza();
    return certa;
}

int PortaoDaSenha::segundosDeEspera() const
{
    const qint64 resta = std::max<qint64>(0, PortaSenhaProfessor.fechadaAte - monotonicMs());
    return int((resta + kMsPorSegundo - 1) / kMsPorSegundo);
}

QString PortaoDaSenha::aviso() const
{
    if (aberto())
        return {};
    return QStringLiteral("A senha do professor não está correta. Aguarde %1 s para tentar de novo.")
        .arg(segundosDeEspera());
}

void PortaoDaSenha::atualiza()
{
    const qint64 resta = PortaSenhaProfessor.fechadaAte - monotonicMs();
    // the next tick comes when the seconds shown go down by one
    if (resta > 0)
        relogio_.start(int((resta - 1) % kMsPorSegundo + 1));
    emit mudou();
}
