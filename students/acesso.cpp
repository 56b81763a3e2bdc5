#include "students/acesso.h"

#include "data/text.h"

bool SenhaImpossivel(const QString& senha)
{
    return senha.size() == 1 || senha == QLatin1String("==");
}

bool CursoLotado(std::int64_t alunos)
{
    return alunos >= ListaAlunos.size;
}

bool SenhaConfere(const tAluno& aluno, const QString& digitada)
{
    return fromCp1252(aluno.Senha.bytes()) == digitada;
}

std::int32_t ProximoExercicio(const tAula& ultima)
{
    return std::int32_t(ultima.NumExerc) + 1;
}
