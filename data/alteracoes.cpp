#include "data/alteracoes.h"

#include "platform/clock.h"
#include "platform/recordfile.h"

#include <algorithm>

namespace {

// The log is read from its end: older lines are only ever appended to.
constexpr std::int64_t kFimLido = 64 * 1024;

// One change, one line, whatever the text held.
QString numaLinha(QString texto)
{
    texto.replace(u'\r', u' ').replace(u'\n', u' ');
    return texto;
}

}  // namespace

namespace {

QString agora()
{
    return shortDate(today()) + u' ' + longTime(timeOfDay());
}

// Whether the log's last line was cut short (by a crash, a full disk): the
// next line must not run on from it.
bool terminaNoMeioDeUmaLinha(RecordFile& registro, std::int64_t tamanho)
{
    if (tamanho == 0)
        return false;
    registro.seek(tamanho - 1);
    return registro.readAhead(1).front() != '\n';
}

// The teacher's log: the class may read it, not change it.
void acrescenta(QByteArray linhas)
{
    RecordFile::createIfMissing(kArquivoAlteracoes, Writers::OwnerOnly);
    RecordFile registro(kArquivoAlteracoes, 1, RecordFile::Access::ReadWrite);
    registro.lock();
    const std::int64_t tamanho = registro.recordCount();
    if (terminaNoMeioDeUmaLinha(registro, tamanho))
        linhas.prepend('\n');
    registro.seek(tamanho);
    registro.write(linhas.constData(), linhas.size());
    registro.sync();
    registro.close();
}

}  // namespace

void RegistraAlteracoes(std::int32_t codigo, const QStringList& mudancas)
{
    const QString quando = agora();
    QByteArray linhas;
    for (const QString& mudanca : mudancas)
        linhas += QStringLiteral("%1 - código %2 - %3\n").arg(quando).arg(codigo).arg(numaLinha(mudanca)).toUtf8();
    acrescenta(linhas);
}

void RegistraAlteracaoDoCurso(const QString& mudanca)
{
    acrescenta(QStringLiteral("%1 - %2\n").arg(agora(), numaLinha(mudanca)).toUtf8());
}

QStringList UltimasAlteracoes(int quantas)
{
    if (!fileExists(kArquivoAlteracoes))
        return {};
    RecordFile registro(kArquivoAlteracoes, 1, RecordFile::Access::Read);
    const std::int64_t tamanho = registro.recordCount();
    const std::int64_t inicio = std::max<std::int64_t>(0, tamanho - kFimLido);
    registro.seek(inicio);
    QByteArray fim;
    while (registro.position() < tamanho) {
        const std::span<const char> lido = registro.readAhead(tamanho - registro.position());
        fim.append(lido.data(), qsizetype(lido.size()));
    }
    registro.close();
    QStringList linhas = QString::fromUtf8(fim).split(u'\n', Qt::SkipEmptyParts);
    // the first line read from the middle of the file is not whole
    if (inicio > 0 && !linhas.isEmpty())
        linhas.removeFirst();
    std::reverse(linhas.begin(), linhas.end());
    return linhas.mid(0, quantas);
}
