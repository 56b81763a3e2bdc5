#include "students/professor.h"

#include "data/alteracoes.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/errors.h"
#include "students/acesso.h"
#include "students/desempenho.h"
#include "students/ritmo.h"


namespace {

std::optional<int> periodoGuardado(const tAluno& aluno)
{
    const QByteArray periodo = aluno.Periodo.bytes();
    if (periodo.size() != 1 || periodo[0] < '0' || periodo[0] >= '0' + kPeriodos)
        return std::nullopt;
    return periodo[0] - '0';
}

QString entreAspas(const QString& texto)
{
    return u'"' + texto + u'"';
}

}  // namespace

std::vector<AlunoDoProfessor> AlunosDoProfessor(const std::vector<tAluno>& rol)
{
    // the figures of this very roster: the i-th are the i-th student's
    const std::vector<Desempenho> figuras = DesempenhoDosAlunos(rol);
    std::vector<AlunoDoProfessor> alunos;
    alunos.reserve(rol.size());
    for (size_t i = 0; i < rol.size(); ++i) {
        const tAluno& guardado = rol[i];
        alunos.push_back({
            .codigo = guardado.Codigo,
            .nome = figuras[i].nome,
            .email = fromCp1252(guardado.EMail.bytes()),
            .temSenha = !guardado.Senha.empty(),
            .periodo = periodoGuardado(guardado),
            .ultimaAula = figuras[i].ultimaAula,
        });
    }
    return alunos;
}

bool AtendeABusca(const AlunoDoProfessor& aluno, const QString& busca)
{
    const QString procurado = busca.trimmed();
    return procurado.isEmpty() || SemAcentos(aluno.nome).contains(SemAcentos(procurado))
           || procurado == QString::number(aluno.codigo);
}

CorrecaoAluno Diferencas(const AlunoDoProfessor& aluno, const FichaDoAluno& ficha)
{
    CorrecaoAluno correcao;
    if (ficha.nome != aluno.nome)
        correcao.nome = ficha.nome;
    if (ficha.email != aluno.email)
        correcao.email = ficha.email;
    if (ficha.periodo && ficha.periodo != aluno.periodo)
        correcao.periodo = ficha.periodo;
    if (!ficha.senhaNova.isEmpty())
        correcao.senha = ficha.senhaNova;
    return correcao;
}

bool SemDiferencas(const CorrecaoAluno& correcao)
{
    return !correcao.nome && !correcao.email && !correcao.senha && !correcao.periodo;
}

std::optional<QString> ProblemaDaFicha(const FichaDoAluno& ficha)
{
    if (std::optional<QString> problema = ProblemaDoNome(ficha.nome))
        return problema;
    if (std::optional<QString> problema = ProblemaDoEMail(ficha.email))
        return problema;
    if (!ficha.senhaNova.isEmpty())
        return ProblemaDaSenha(ficha.senhaNova);
    return std::nullopt;
}

QStringList DescreveCorrecao(const AlunoDoProfessor& antes, const CorrecaoAluno& correcao)
{
    QStringList mudancas;
    if (correcao.nome)
        mudancas << QStringLiteral("nome corrigido de %1 para %2").arg(entreAspas(antes.nome), entreAspas(*correcao.nome));
    if (correcao.email)
        mudancas << QStringLiteral("e-mail corrigido");
    if (correcao.senha)
        mudancas << (correcao.senha->isEmpty() ? QStringLiteral("senha apagada: o aluno entra sem senha")
                                               : QStringLiteral("senha nova dada pelo professor"));
    if (correcao.periodo)
        mudancas << QStringLiteral("ritmo mudado de %1 para %2")
                        .arg(entreAspas(antes.periodo ? NomeDoPeriodo(*antes.periodo) : QStringLiteral("nenhum")),
                             entreAspas(NomeDoPeriodo(*correcao.periodo)));
    return mudancas;
}

std::optional<QString> CorrigeAluno(const AlunoDoProfessor& aluno, const CorrecaoAluno& correcao)
{
    const std::optional<QString> semRegistro = RegravaAluno(
        aluno.codigo, correcao, [&] { RegistraAlteracoes(aluno.codigo, DescreveCorrecao(aluno, correcao)); });
    if (!semRegistro)
        return std::nullopt;
    return QStringLiteral("A correção de %1 foi gravada, mas não entrou no registro de alterações: %2")
        .arg(aluno.nome, errorReportText(*semRegistro));
}
