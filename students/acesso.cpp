#include "students/acesso.h"

#include "data/text.h"

#include <algorithm>

bool SenhaImpossivel(const QString& senha)
{
    return senha.size() == 1 || senha == QLatin1String("==");
}

bool CabeNoArquivo(const QString& texto)
{
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return toCp1252(c).has_value(); });
}

namespace {

// A text too long for its field, or holding a character the file cannot.
std::optional<QString> naoCabe(const QString& oQue, const QString& texto, int tamanho)
{
    if (texto.size() > tamanho)
        return QStringLiteral("%1 tem mais de %2 caracteres.").arg(oQue).arg(tamanho);
    const auto fora = std::find_if(texto.begin(), texto.end(), [](QChar c) { return !toCp1252(c); });
    if (fora == texto.end())
        return std::nullopt;
    // a character beyond the first 65,536 comes in two halves
    const qsizetype onde = fora - texto.begin();
    const QString caractere = texto.mid(onde, fora->isHighSurrogate() ? 2 : 1);
    return QStringLiteral("%1 tem o caractere \"%2\", que o curso não guarda.").arg(oQue, caractere);
}

}  // namespace

std::optional<QString> ProblemaDoNome(const QString& nome)
{
    if (nome.isEmpty())
        return kAvisoSemNome;
    return naoCabe(QStringLiteral("O nome"), nome, kTamanhoNome);
}

std::optional<QString> ProblemaDoEMail(const QString& email)
{
    return naoCabe(QStringLiteral("O e-mail"), email, kTamanhoEMail);
}

std::optional<QString> ProblemaDaSenha(const QString& senha)
{
    if (SenhaImpossivel(senha))
        return kAvisoSenhaImpossivel;
    return naoCabe(QStringLiteral("A senha"), senha, kTamanhoSenha);
}

bool CursoLotado(std::int64_t alunos)
{
    return alunos >= kMaximoDeAlunos;
}

bool SenhaConfere(const tAluno& aluno, const QString& digitada)
{
    return fromCp1252(aluno.Senha.bytes()) == digitada;
}

std::int32_t ProximoExercicio(const tAula& ultima)
{
    return std::int32_t(ultima.NumExerc) + 1;
}

QString SemAcentos(const QString& texto)
{
    QString simples;
    for (QChar c : texto.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            simples += c;
    }
    return simples.toCaseFolded();
}
