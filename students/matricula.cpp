#include "students/matricula.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/clock.h"
#include "students/acesso.h"
#include "students/ritmo.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

// A spreadsheet's UTF-8 starts with a byte-order mark; a file that is no
// valid UTF-8 came from a Windows program in its code page.
QString textoDoArquivo(const QByteArray& conteudo)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8(conteudo);
    if (!utf8.hasError())
        return texto;
    return fromCp1252(conteudo);
}

// The fields of a line split at ";", a field in quotes taken whole, with ""
// for a quote inside it, and trimmed.
QStringList campos(const QString& linha)
{
    QStringList campos(1);
    bool entreAspas = false;
    for (qsizetype i = 0; i < linha.size(); ++i) {
        const QChar c = linha[i];
        if (c == u'"' && entreAspas && i + 1 < linha.size() && linha[i + 1] == u'"') {
            campos.last() += c;
            ++i;
        } else if (c == u'"') {
            entreAspas = !entreAspas;
        } else if (c == u';' && !entreAspas) {
            campos << QString();
        } else {
            campos.last() += c;
        }
    }
    for (QString& campo : campos)
        campo = campo.trimmed();
    return campos;
}

bool eCabecalho(const QStringList& campos)
{
    return campos.first().compare(QStringLiteral("nome"), Qt::CaseInsensitive) == 0;
}

QString quantos(int n, const QString& um, const QString& varios)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? um : varios);
}

QString recusaDe(const QString& nome, const QString& email)
{
    if (std::optional<QString> problema = ProblemaDoNome(nome))
        return *problema;
    return ProblemaDoEMail(email).value_or(QString());
}

}  // namespace

std::vector<LinhaDaTurma> LeListaDaTurma(const QByteArray& conteudo, std::int64_t vagas)
{
    std::vector<LinhaDaTurma> turma;
    const QStringList linhas = textoDoArquivo(conteudo).split(u'\n');
    bool primeira = true;
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        if (linhas[i].trimmed().isEmpty())
            continue;
        const QStringList lidos = campos(linhas[i]);
        if (std::exchange(primeira, false) && eCabecalho(lidos))
            continue;
        LinhaDaTurma linha{int(i) + 1, lidos.value(0), lidos.value(1), {}};
        linha.recusa = recusaDe(linha.nome, linha.email);
        if (linha.recusa.isEmpty() && vagas-- <= 0)
            linha.recusa = QStringLiteral("O curso comporta no máximo %1 alunos.").arg(ListaAlunos.size);
        turma.push_back(linha);
    }
    return turma;
}

int MatriculaTurma(const std::vector<LinhaDaTurma>& turma, int periodo)
{
    int matriculados = 0;
    for (const LinhaDaTurma& linha : turma) {
        if (!linha.recusa.isEmpty())
            continue;
        if (!GravaAluno(linha.nome, {}, linha.email, today(), periodo))
            break;
        ++matriculados;
        RegistraAlteracoes(CodAlunoAtual, {QStringLiteral("matriculado pela lista da turma: \"%1\", %2")
                                               .arg(linha.nome, NomeDoPeriodo(periodo))});
    }
    return matriculados;
}

int Aceitas(const std::vector<LinhaDaTurma>& turma)
{
    return int(std::count_if(turma.begin(), turma.end(), [](const LinhaDaTurma& l) { return l.recusa.isEmpty(); }));
}

QString ResumoDaMatricula(const std::vector<LinhaDaTurma>& turma, int matriculados)
{
    const int aceitas = Aceitas(turma);
    const int recusadas = int(turma.size()) - aceitas;
    QString resumo = quantos(matriculados, QStringLiteral("aluno matriculado"), QStringLiteral("alunos matriculados"))
                     + QStringLiteral(", sem senha.");
    if (recusadas > 0)
        resumo += u'\r' + quantos(recusadas, QStringLiteral("linha da lista ficou"),
                                   QStringLiteral("linhas da lista ficaram"))
                  + QStringLiteral(" de fora.");
    if (matriculados < aceitas)
        resumo += QStringLiteral("\rO curso ficou sem vagas antes do fim da lista: ")
                  + quantos(aceitas - matriculados, QStringLiteral("aluno não foi matriculado."),
                            QStringLiteral("alunos não foram matriculados."));
    return resumo;
}
