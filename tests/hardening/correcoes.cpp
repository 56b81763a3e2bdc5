#include "correcoes.h"

#include "data/scrambling.h"
#include "data/text.h"

CorrecaoAluno versaoCorrigida(long n)
{
    return {
        .nome = QStringLiteral("Versão %1").arg(n),
        .email = QStringLiteral("aluno.%1@escola.br").arg(n),
        .senha = n % 2 ? QString() : QStringLiteral("s%1").arg(n),
        .periodo = int(n % 3),
    };
}

tAluno registroCorrigido(const tAluno& original, long n)
{
    const CorrecaoAluno c = versaoCorrigida(n);
    const QByteArray chave = original.Chave.bytes();
    tAluno r = original;
    r.Nome.set(Embaralha(toCp1252(*c.nome), chave));
    r.EMail.set(Embaralha(toCp1252(*c.email), chave));
    r.Senha.set(Embaralha(c.senha->isEmpty() ? QByteArray("==") : toCp1252(*c.senha), chave));
    r.Periodo.set(QByteArray::number(*c.periodo));
    return r;
}
