// Checks the practice's words, and its phrases when there are any, and
// writes them without their comment lines for the course folder:
//   quiravo_confere_palavras <dicionário> <excluídas> <palavras> <saída>
//                            [<frases> <saída das frases>]
// <dicionário> is a hunspell dictionary without its extension
// (/usr/share/hunspell/pt_BR for pt_BR.aff and pt_BR.dic).
// Refuses both files, writing nothing, when a line of either breaks a rule;
// every such line is named.

#include "tools/lista_de_palavras.h"
#include "tools/tool_files.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <exception>
#include <optional>

namespace {

// A file to check and where its checked lines go.
struct Entrada {
    QString arquivo;
    QString saida;
};

using Confere = Conferencia (*)(const QByteArray&, const QString&, Dicionario&, const ListaDeExclusao&);

int run(const QStringList& args)
{
    if (args.size() != 5 && args.size() != 7) {
        complain(QStringLiteral("uso: %1 <dicionário> <excluídas> <palavras> <saída> [<frases> <saída das frases>]")
                     .arg(QFileInfo(args.value(0)).fileName()));
        return 2;
    }
    Dicionario dicionario(args[1]);
    const std::optional<QByteArray> textoDasExcluidas = readWhole(args[2]);
    if (!textoDasExcluidas)
        return 1;
    QStringList erros;
    const ListaDeExclusao excluidas = ListaDeExclusao::le(*textoDasExcluidas, args[2], erros);

    QList<std::pair<Entrada, Confere>> arquivos = {{{args[3], args[4]}, conferePalavras}};
    if (args.size() == 7)
        arquivos.append({{args[5], args[6]}, confereFrases});
    QList<std::pair<QString, QByteArray>> saidas;
    for (const auto& [entrada, confere] : arquivos) {
        const std::optional<QByteArray> texto = readWhole(entrada.arquivo);
        if (!texto)
            return 1;
        const Conferencia conferencia = confere(*texto, entrada.arquivo, dicionario, excluidas);
        erros << conferencia.erros;
        saidas.append({entrada.saida, conferencia.saida});
    }
    for (const QString& erro : erros)
        complain(erro);
    if (!erros.isEmpty()) {
        complain(QStringLiteral("%1 erro(s): as palavras do treino não foram geradas").arg(erros.size()));
        return 1;
    }
    for (const auto& [saida, bytes] : saidas) {
        if (!writeWhole(saida, bytes))
            return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments());
    } catch (const std::exception& e) {
        complain(QString::fromUtf8(e.what()));
        return 1;
    }
}
