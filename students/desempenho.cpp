#include "students/desempenho.h"

#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"

#include <QSet>
#include <algorithm>
#include <unordered_map>

namespace {

Desempenho doAluno(const tAluno& aluno)
{
    Desempenho figuras;
    figuras.codigo = aluno.Codigo;
    figuras.nome = fromCp1252(aluno.Nome.bytes());
    return figuras;
}

void soma(Desempenho& figuras, QSet<QDate>& dias, const tAula& aula)
{
    const QDate data = dateOfDayCount(aula.Data);
    if (figuras.primeiraAula.isNull())
        figuras.primeiraAula = data;
    figuras.ultimaAula = data;
    figuras.ultimoExercicio = aula.NumExerc;
    figuras.ultimaVelocidade = aula.Tempo;
    if (aula.NumExerc < 1)
        return;
    figuras.passagens.push_back({data, aula.NumExerc, aula.Tempo});
    figuras.melhorVelocidade = std::max(figuras.melhorVelocidade, int(aula.Tempo));
    dias.insert(data);
}

}  // namespace

std::vector<Desempenho> DesempenhoDaTurma()
{
    // a course where nobody has registered yet has no student file
    const int quantos = fileExists(kArquivoAlunos) ? CarregaAlunos() : 0;
    std::vector<Desempenho> turma;
    turma.reserve(size_t(quantos));
    // a repeated number (a damaged file) gives its lessons to the first holder
    std::unordered_map<std::int32_t, size_t> posicao;
    for (int k = 1; k <= quantos; ++k) {
        turma.push_back(doAluno(ListaAlunos[k]));
        posicao.emplace(ListaAlunos[k].Codigo, turma.size() - 1);
    }
    if (!fileExists(kArquivoAulas))
        return turma;

    std::vector<QSet<QDate>> dias(turma.size());
    RecordFile arquivo(kArquivoAulas, int(sizeof(tAula)));
    const std::int64_t total = arquivo.recordCount();
    tAula aula{};
    while (arquivo.position() < total) {
        arquivo.read(&aula);
        const auto achado = posicao.find(aula.CodAluno);
        if (achado != posicao.end())
            soma(turma[achado->second], dias[achado->second], aula);
    }
    arquivo.close();
    for (size_t i = 0; i < turma.size(); ++i)
        turma[i].diasDePratica = int(dias[i].size());
    return turma;
}
