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

void RegistraAlteracoes(std::int32_t codigo, const QStringList& mudancas)
{
    const QString quando = shortDate(today()) + u' ' + longTime(timeOfDay());
    QByteArray linhas;
    for (const QString& mudanca : mudancas)
        linhas += QStringLiteral("%1 - código %2 - %3\n").arg(quando).arg(codigo).arg(numaLinha(mudanca)).toUtf8();
    RecordFile::createIfMissing(kArquivoAlteracoes);
    RecordFile registro(kArquivoAlteracoes, 1, RecordFile::Access::ReadWrite);
    registro.lock();
    registro.seek(registro.recordCount());
    registro.write(linhas.constData(), linhas.size());
    registro.sync();
    registro.close();
}

void RegistraAlteracaoDoCurso(const QString& mudanca)
{
    const QString quando = shortDate(today()) + u' ' + longTime(timeOfDay());
    const QByteArray linha = QStringLiteral("%1 - %2\n").arg(quando, numaLinha(mudanca)).toUtf8();
    RecordFile::createIfMissing(kArquivoAlteracoes);
    RecordFile registro(kArquivoAlteracoes, 1, RecordFile::Access::ReadWrite);
    registro.lock();
    registro.seek(registro.recordCount());
    registro.write(linha.constData(), linha.size());
    registro.sync();
    registro.close();
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
