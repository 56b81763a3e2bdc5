#include "support/rawrecords.h"

#include "data/scrambling.h"

tExercicio storedExercise(std::uint8_t n)
{
    tExercicio e{};
    e.Chave.set(kChave);
    e.Numero = n;
    e.Linha1.set(Embaralha("linha " + QByteArray::number(n), kChave));
    for (TextField<100>* line : {&e.Linha2, &e.Linha3, &e.Linha4})
        line->set(kMarcaTextoVazio);
    e.Instrucao.set(kMarcaTextoVazio);
    e.LinhasExigidas = 3;
    return e;
}

tAluno storedStudent(std::int32_t codigo)
{
    tAluno a{};
    a.Chave.set(kChave);
    a.Codigo = codigo;
    a.Nome.set(Embaralha("Aluno " + QByteArray::number(codigo), kChave));
    a.Senha.set(Embaralha("==", kChave));
    a.EMail.set(kMarcaTextoVazio);
    a.Periodo.set("1");
    return a;
}

tToque storedKeyCount(char caractere, std::uint32_t esperadas, std::uint32_t erradas, std::uint32_t msPorToque)
{
    tToque r{};
    r.Caractere = std::uint8_t(caractere);
    r.Esperadas = esperadas;
    r.Erradas = erradas;
    r.Cronometradas = esperadas;
    r.Milissegundos = esperadas * msPorToque;
    return r;
}
