#include "platform/causes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

QString motivoDoSistema(int erro)
{
    switch (erro) {
    case 0: return QStringLiteral("o sistema não informou a causa");
    case ENOENT: return QStringLiteral("o arquivo ou a pasta não existe");
    case EACCES:
    case EPERM: return QStringLiteral("permissão negada");
    case EROFS: return QStringLiteral("o disco só permite leitura");
    case ENOSPC: return QStringLiteral("o disco está cheio");
    case EDQUOT: return QStringLiteral("a cota de disco do usuário acabou");
    case EFBIG: return QStringLiteral("o arquivo passou do tamanho máximo permitido");
    case ENOTDIR: return QStringLiteral("parte do caminho não é uma pasta");
    case EISDIR: return QStringLiteral("é uma pasta");
    case EEXIST: return QStringLiteral("o arquivo já existe");
    case ELOOP: return QStringLiteral("o caminho passa por links simbólicos demais");
    case ENAMETOOLONG: return QStringLiteral("o nome é longo demais");
    case EMFILE:
    case ENFILE: return QStringLiteral("há arquivos abertos demais");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("o arquivo está em uso");
    case EIO: return QStringLiteral("erro de leitura ou gravação no disco");
    case EXDEV: return QStringLiteral("o arquivo não pode passar para outro disco");
    case ENOMEM: return QStringLiteral("falta memória");
    case EINTR: return QStringLiteral("a operação foi interrompida");
    default: return QStringLiteral("erro %1 do sistema").arg(erro);
    }
}

std::optional<QString> naoEArquivoComum(const QString& caminho)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(caminho).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return std::nullopt;
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("é um link simbólico");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("é uma pasta");
    return QStringLiteral("é um arquivo especial (um pipe, um soquete ou um dispositivo)");
}

std::optional<QString> naoEPasta(const QString& caminho)
{
    const QFileInfo info(caminho);
    if (!info.exists() || info.isDir())
        return std::nullopt;
    return QStringLiteral("%1 não é uma pasta").arg(QDir::toNativeSeparators(info.absoluteFilePath()));
}
