// Why a file of the program's own could not be used, in the program's words.

#include "platform/causes.h"
#include "support/fixture.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace {

TEST(MotivosTest, TheCausesAUserMeetsAreToldInPortuguese)
{
    struct Caso {
        int erro;
        const char* motivo;
    };
    const Caso casos[] = {
        {ENOSPC, "o disco está cheio"},
        {EFBIG, "o arquivo passou do tamanho máximo permitido"},
        {EDQUOT, "a cota de disco do usuário acabou"},
        {EACCES, "permissão negada"},
        {EROFS, "o disco só permite leitura"},
        {ENOENT, "o arquivo ou a pasta não existe"},
        {ENOTDIR, "parte do caminho não é uma pasta"},
        {0, "o sistema não informou a causa"},
        {9999, "erro 9999 do sistema"},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(motivoDoSistema(caso.erro), QString::fromUtf8(caso.motivo)) << caso.erro;
}

class OQueHa : public InTempDir {};

TEST_F(OQueHa, OnlyAPlainFileOrNothingAtAllIsAPlainFile)
{
    writeFile(QStringLiteral("comum"), "texto");
    QDir().mkdir(QStringLiteral("pasta"));
    QFile::link(QStringLiteral("comum"), QStringLiteral("link"));
    QFile::link(QStringLiteral("sumido"), QStringLiteral("pendente"));
    ::mkfifo("fila", 0666);
    struct Caso {
        const char* nome;
        std::optional<QString> arquivoComum;  // what naoEArquivoComum says
        std::optional<QString> pasta;         // what naoEPasta says
    };
    const QString especial = QStringLiteral("é um arquivo especial (um pipe, um soquete ou um dispositivo)");
    const Caso casos[] = {
        {"comum", std::nullopt, QStringLiteral("%1 não é uma pasta").arg(path(QStringLiteral("comum")))},
        {"nada", std::nullopt, std::nullopt},
        {"pasta", QStringLiteral("é uma pasta"), std::nullopt},
        {"link", QStringLiteral("é um link simbólico"), QStringLiteral("%1 não é uma pasta").arg(path(QStringLiteral("link")))},
        {"pendente", QStringLiteral("é um link simbólico"), std::nullopt},
        {"fila", especial, QStringLiteral("%1 não é uma pasta").arg(path(QStringLiteral("fila")))},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        EXPECT_EQ(naoEArquivoComum(QString::fromLatin1(caso.nome)), caso.arquivoComum);
        EXPECT_EQ(naoEPasta(QString::fromLatin1(caso.nome)), caso.pasta);
    }
}

}  // namespace
