#include "students/desempenho.h"

#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "platform/recordfile.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

Desempenho doAluno(const tAluno& aluno)
{
    Desempenho figuras;
    figuras.codigo = aluno.Codigo;
    figuras.nome = fromCp1252(aluno.Nome.bytes());
    return figuras;
}

// What the pass over the file keeps for one student beside the figures.
struct Contagem {
    QSet<QDate> dias;
    double diaAnterior = -1;  // the day count last converted, and its date
    QDate dataAnterior;
};

// Passes of one sitting share their day count: it is converted once.
QDate dataDe(Contagem& contagem, double dia)
{
    if (dia != contagem.diaAnterior) {
        contagem.diaAnterior = dia;
        contagem.dataAnterior = dateOfDayCount(dia);
    }
    return contagem.dataAnterior;
}

void soma(Desempenho& figuras, Contagem& contagem, const tAula& aula)
{
    figuras.ultimoExercicio = aula.NumExerc;
    figuras.ultimaVelocidade = aula.Tempo;
    const QDate data = dataDe(contagem, aula.Data);
    // a registration is no lesson: the first and last lessons are passes
    if (aula.NumExerc < 1) {
        if (figuras.cadastro.isNull())
            figuras.cadastro = data;
        return;
    }
    if (figuras.primeiraAula.isNull())
        figuras.primeiraAula = data;
    figuras.ultimaAula = data;
    // passes of one sitting share their date: the set is asked once a day
    if (figuras.passagens.empty() || figuras.passagens.back().data != data)
        contagem.dias.insert(data);
    figuras.passagens.push_back({data, aula.NumExerc, aula.Tempo});
    figuras.melhorVelocidade = std::max(figuras.melhorVelocidade, int(aula.Tempo));
}

}  // namespace

std::vector<Desempenho> DesempenhoDosAlunos(const std::vector<tAluno>& alunos)
{
    std::vector<Desempenho> figuras;
    figuras.reserve(alunos.size());
    // a repeated number (a damaged file) gives its lessons to the first holder
    QHash<std::int32_t, size_t> posicao;
    for (const tAluno& aluno : alunos) {
        figuras.push_back(doAluno(aluno));
        if (!posicao.contains(aluno.Codigo))
            posicao.insert(aluno.Codigo, figuras.size() - 1);
    }
    std::vector<std::int32_t> codigos;
    for (const tAluno& aluno : alunos)
        codigos.push_back(aluno.Codigo);
    std::vector<estatisticas::TeclasDoAluno> teclas = estatisticas::TeclasDosAlunos(codigos);
    for (size_t i = 0; i < figuras.size(); ++i)
        figuras[i].teclas = std::move(teclas[i]);
    if (!fileExists(kArquivoAulas))
        return figuras;

    std::vector<Contagem> contagens(figuras.size());
    RecordFile arquivo(kArquivoAulas, int(sizeof(tAula)), RecordFile::Access::Read);
    tAula aula{};
    arquivo.readEach(aula, [&] {
        const auto achado = posicao.constFind(aula.CodAluno);
        if (achado != posicao.cend())
            soma(figuras[*achado], contagens[*achado], aula);
        return true;
    });
    arquivo.close();
    for (size_t i = 0; i < figuras.size(); ++i)
        figuras[i].diasDePratica = int(contagens[i].dias.size());
    return figuras;
}

std::vector<tAluno> RolDoCurso()
{
    const int quantos = fileExists(kArquivoAlunos) ? CarregaAlunos() : 0;
    std::vector<tAluno> rol;
    for (int k = 1; k <= quantos; ++k)
        rol.push_back(ListaAlunos[k]);
    return rol;
}

std::vector<Desempenho> DesempenhoDaTurma()
{
    return DesempenhoDosAlunos(RolDoCurso());
}
