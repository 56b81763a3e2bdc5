#include "students/secoes.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

// Written by the course compiler beside the catalogue, one section a line:
// "<primeiroExercicio>\t<nome>" in UTF-8.
const QString kRecursoSecoes = QStringLiteral(":/curso/secoes.txt");

std::optional<Secao> secaoDaLinha(const QByteArray& linha)
{
    const qsizetype tab = linha.indexOf('\t');
    if (tab < 0)
        return std::nullopt;
    bool numero = false;
    const int primeiroExercicio = linha.left(tab).toInt(&numero);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString nome = utf8.decode(linha.mid(tab + 1));
    if (!numero || primeiroExercicio < 1 || nome.isEmpty() || utf8.hasError())
        return std::nullopt;
    return Secao{primeiroExercicio, nome};
}

// A line that is no section, or sections out of order, mean a damaged
// resource: the chart then shows no sections rather than wrong ones.
std::vector<Secao> leSecoes(const QByteArray& texto)
{
    QList<QByteArray> linhas = texto.split('\n');
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    std::vector<Secao> secoes;
    for (const QByteArray& linha : linhas) {
        const std::optional<Secao> secao = secaoDaLinha(linha);
        if (!secao || (!secoes.empty() && secao->primeiroExercicio <= secoes.back().primeiroExercicio))
            return {};
        secoes.push_back(*secao);
    }
    return secoes;
}

std::vector<Secao> leSecoesDoRecurso()
{
    QFile recurso(kRecursoSecoes);
    if (!recurso.open(QIODevice::ReadOnly))
        return {};
    return leSecoes(recurso.readAll());
}

}  // namespace

const std::vector<Secao>& SecoesDoCurso()
{
    static const std::vector<Secao> secoes = leSecoesDoRecurso();
    return secoes;
}

int SecaoDoExercicio(int exercicio)
{
    const std::vector<Secao>& secoes = SecoesDoCurso();
    const auto seguinte = std::upper_bound(secoes.begin(), secoes.end(), exercicio,
                                           [](int n, const Secao& secao) { return n < secao.primeiroExercicio; });
    return int(seguinte - secoes.begin()) - 1;
}
