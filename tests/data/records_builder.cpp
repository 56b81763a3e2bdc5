#include "records_builder.h"

#include "data/scrambling.h"

tExercicio rawExercicio(const ExercicioPlano& plano, const QByteArray& chave)
{
    tExercicio e{};
    e.Chave.set(chave);
    e.Numero = plano.numero;
    TextField<100>* linhas[] = {&e.Linha1, &e.Linha2, &e.Linha3, &e.Linha4};
    for (int i = 0; i < 4; ++i)
        linhas[i]->set(Embaralha(plano.linhas[i], chave));
    e.Instrucao.set(Embaralha(plano.instrucao, chave));
    e.NumToques = plano.numToques;
    e.LinhasExigidas = plano.linhasExigidas;
    return e;
}

tAluno rawAluno(std::int32_t codigo, const QByteArray& nome, const QByteArray& senha,
                const QByteArray& chave)
{
    tAluno a{};
    a.Chave.set(chave);
    a.Codigo = codigo;
    a.Nome.set(Embaralha(nome, chave));
    a.Senha.set(Embaralha(senha, chave));
    a.EMail.set(Embaralha({}, chave));
    a.DataNasc = 36000;
    a.Periodo.set("1");
    return a;
}

tAula aula(std::int32_t codAluno, std::uint8_t numExerc, double data, std::int32_t tempo)
{
    tAula a{};
    a.CodAluno = codAluno;
    a.Data = data;
    a.Tempo = tempo;
    a.NumExerc = numExerc;
    return a;
}

