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
    figuras.ultimoExercicio = aula.NumExerc;
    figuras.ultimaVelocidade = aula.Tempo;
    // a registration is no lesson: the first and last lessons are passes
    if (aula.NumExerc < 1)
        return;
    const QDate data = dateOfDayCount(aula.Data);
    if (figuras.primeiraAula.isNull())
        figuras.primeiraAula = data;
    figuras.ultimaAula = data;
    figuras.passagens.push_back({data, aula.NumExerc, aula.Tempo});
    figuras.melhorVelocidade = std::max(figuras.melhorVelocidade, int(aula.Tempo));
    dias.insert(data);
}

}  // namespace

std::vector<Desempenho> DesempenhoDosAlunos(const std::vector<tAluno>& alunos)
{
    std::vector<Desempenho> figuras;
    figuras.reserve(alunos.size());
    // a repeated number (a damaged file) gives its lessons to the first holder
    std::unordered_map<std::int32_t, size_t> posicao;
    for (const tAluno& aluno : alunos) {
        figuras.push_back(doAluno(aluno));
        posicao.emplace(aluno.Codigo, figuras.size() - 1);
    }
    if (!fileExists(kArquivoAulas))
        return figuras;

    std::vector<QSet<QDate>> dias(figuras.size());
    RecordFile arquivo(kArquivoAulas, int(sizeof(tAula)), RecordFile::Access::Read);
    const std::int64_t total = arquivo.recordCount();
    tAula aula{};
    while (arquivo.position() < total) {
        arquivo.read(&aula);
        const auto achado = posicao.find(aula.CodAluno);
        if (achado != posicao.end())
            soma(figuras[achado->second], dias[achado->second], aula);
    }
    arquivo.close();
    for (size_t i = 0; i < figuras.size(); ++i)
        figuras[i].diasDePratica = int(dias[i].size());
    return figuras;
}

std::vector<Desempenho> DesempenhoDaTurma()
{
    const int quantos = fileExists(kArquivoAlunos) ? CarregaAlunos() : 0;
    std::vector<tAluno> turma;
    for (int k = 1; k <= quantos; ++k)
        turma.push_back(ListaAlunos[k]);
    return DesempenhoDosAlunos(turma);
}
