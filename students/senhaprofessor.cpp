#include "students/senhaprofessor.h"

#include "platform/errors.h"
#include "platform/recordfile.h"
#include "platform/system.h"

#include <QByteArray>
#include <algorithm>
#include <sodium.h>

int ErrosSenhaProfessor = 0;

namespace {

constexpr int kPrimeiraEspera = 1000;
constexpr int kMaiorEspera = 30'000;
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
    if (!hash.startsWith(kPrefixo))
        arquivoDanificado();
    return hash;
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
    iniciaSodium();
    const Bytes digitada(senha);
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(hash, digitada.bytes.constData(), size_t(digitada.bytes.size()),
                              crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                              crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw AppError(QStringLiteral("Falta memória para guardar a senha do professor"));
    // readable by the class, for the teacher may sign in from any account;
    // replaced or changed by the teacher's account alone
    return createWhole(kArquivoSenhaProfessor, QByteArray(hash) + '\n', Writers::OwnerOnly);
}

bool ConfereSenhaProfessor(const QString& senha)
{
    iniciaSodium();
    const QByteArray hash = hashGuardado();
    const Bytes digitada(senha);
    if (crypto_pwhash_str_verify(hash.constData(), digitada.bytes.constData(), size_t(digitada.bytes.size())) == 0) {
        ErrosSenhaProfessor = 0;
        return true;
    }
    ++ErrosSenhaProfessor;
    sleepBlocking(EsperaAposErros(ErrosSenhaProfessor));
    return false;
}

int EsperaAposErros(int erros)
{
    if (erros <= 0)
        return 0;
    // doubled from the first wait on, as long as it stays below the longest
    const int dobras = std::min(erros - 1, 16);
    return std::min(kPrimeiraEspera << dobras, kMaiorEspera);
}
