#include "students/matricula.h"

#include "data/alteracoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/text.h"
#include "platform/causes.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/recordfile.h"
#include "students/acesso.h"
#include "students/desempenho.h"
#include "students/ritmo.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringConverter>
#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <utility>

namespace {

// The last lines of the log in which a change just written is looked for.
constexpr int kAnotacoesRelidas = 20;
// a class list is a few kilobytes; anything far larger is no list
constexpr std::int64_t kMaiorLista = 1 << 20;

// A spreadsheet's "Unicode text" is UTF-16 after a byte-order mark, and its
// UTF-8 may start with one; a file that is no valid UTF-8 came from a Windows
// program in its code page.
QString textoDoArquivo(const QByteArray& conteudo)
{
    if (const std::optional<QStringConverter::Encoding> marcada = QStringConverter::encodingForData(conteudo))
        return QStringDecoder(*marcada)(conteudo);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8(conteudo);
    if (!utf8.hasError())
        return texto;
    return fromCp1252(conteudo);
}

// The file a class list's path leads to: the platform's files are never
// opened through a link, so the links are followed here. A link that leads
// nowhere gives the missing file it names.
QString alvoDaLista(const QFileInfo& info)
{
    if (info.exists())
        return info.canonicalFilePath();
    return info.isSymLink() ? info.symLinkTarget() : info.filePath();
}

bool eControle(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// A record of the file: its fields, and the line where it starts.
struct Registro {
    int linha = 1;
    QStringList campos{QString()};
};

bool fimDeLinha(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// The records of the text, their fields split at separador, as a spreadsheet
// writes them: a field that starts with a quote runs to the quote that closes
// it, separators and line ends inside it, and "" in it is a quote. A quote
// that no other quote follows in the whole text ends at its line's end.
std::vector<Registro> registros(const QString& texto, QChar separador)
{
    const qsizetype ultimaAspa = texto.lastIndexOf(u'"');
    std::vector<Registro> lidos;
    Registro atual;
    int linha = 1;
    bool entreAspas = false;
    bool campoCitado = false;  // a field is quoted once, at its start
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        QString& campo = atual.campos.last();
        if (fimDeLinha(c)) {
            const qsizetype fim = c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n' ? i + 1 : i;
            ++linha;
            if (entreAspas && i < ultimaAspa) {
                campo += texto.mid(i, fim - i + 1);
            } else {
                entreAspas = campoCitado = false;
                lidos.push_back(std::exchange(atual, Registro{linha}));
            }
            i = fim;
        } else if (entreAspas) {
            if (c != u'"')
                campo += c;
            else if (i + 1 < texto.size() && texto[i + 1] == u'"')
                campo += texto[++i];
            else
                entreAspas = false;
        } else if (c == u'"' && !campoCitado && campo.trimmed().isEmpty()) {
            entreAspas = campoCitado = true;
            campo.clear();
        } else if (c == separador) {
            campoCitado = false;
            atual.campos << QString();
        } else {
            campo += c;
        }
    }
    lidos.push_back(std::move(atual));
    return lidos;
}

// How many fields the record has, up to the last one that holds something.
qsizetype preenchidos(const Registro& registro)
{
    qsizetype n = registro.campos.size();
    while (n > 0 && registro.campos[n - 1].trimmed().isEmpty())
        --n;
    return n;
}

// Where the name and the e-mail stand in a record; -1: no e-mail column.
struct Colunas {
    qsizetype nome = 0;
    qsizetype email = 1;
};

// A heading's word as compared: letters and digits, small and without accents.
QString palavraDoCabecalho(const QString& campo)
{
    QString palavra;
    for (QChar c : SemAcentos(campo)) {
        if (c.isLetterOrNumber())
            palavra += c;
    }
    return palavra;
}

// The columns a heading names: nothing when the record names no name column.
std::optional<Colunas> colunasDoCabecalho(const Registro& registro)
{
    static const QStringList nomes{
        QStringLiteral("nome"),       QStringLiteral("nomes"),       QStringLiteral("nomecompleto"),
        QStringLiteral("nomedoaluno"), QStringLiteral("nomedaaluna"), QStringLiteral("aluno"),
        QStringLiteral("aluna"),      QStringLiteral("alunos"),      QStringLiteral("alunoa"),
        QStringLiteral("estudante"),  QStringLiteral("name")};
    static const QStringList emails{QStringLiteral("email"),         QStringLiteral("emails"),
                                    QStringLiteral("emaildoaluno"),  QStringLiteral("emaildaaluna"),
                                    QStringLiteral("enderecodeemail"), QStringLiteral("correioeletronico"),
                                    QStringLiteral("mail")};
    std::optional<qsizetype> nome;
    std::optional<qsizetype> email;
    for (qsizetype i = 0; i < registro.campos.size(); ++i) {
        const QString palavra = palavraDoCabecalho(registro.campos[i]);
        if (!nome && nomes.contains(palavra))
            nome = i;
        else if (!email && emails.contains(palavra))
            email = i;
    }
    if (!nome)
        return std::nullopt;
    // a heading of the name alone says nothing of the e-mail's column
    if (preenchidos(registro) == 1)
        return Colunas{*nome, *nome + 1};
    return Colunas{*nome, email.value_or(-1)};
}

// The records as read, the heading among them, and where the fields stand.
struct Leitura {
    std::vector<Registro> registros;
    std::optional<size_t> cabecalho;
    Colunas colunas;
};

std::optional<size_t> primeiroPreenchido(const std::vector<Registro>& registros)
{
    const auto achado = std::find_if(registros.begin(), registros.end(),
                                     [](const Registro& r) { return preenchidos(r) > 0; });
    return achado == registros.end() ? std::nullopt : std::optional(size_t(achado - registros.begin()));
}

Leitura comCabecalhoSeHouver(std::vector<Registro> registros)
{
    Leitura lida{std::move(registros), {}, {}};
    if (const std::optional<size_t> primeiro = primeiroPreenchido(lida.registros)) {
        if (const std::optional<Colunas> colunas = colunasDoCabecalho(lida.registros[*primeiro])) {
            lida.cabecalho = primeiro;
            lida.colunas = *colunas;
        }
    }
    return lida;
}

// How well the separator splits records without a heading: the records it
// splits into the number of fields it splits most of them into, each with
// an e-mail, or nothing, after the name.
int concordantes(const std::vector<Registro>& registros)
{
    std::map<qsizetype, int> porTamanho;
    for (const Registro& r : registros) {
        const qsizetype n = preenchidos(r);
        const QString email = r.campos.value(1).trimmed();
        if (n >= 2 && (email.isEmpty() || email.contains(u'@')))
            ++porTamanho[n];
    }
    int maior = 0;
    for (const auto& [tamanho, quantos] : porTamanho)
        maior = std::max(maior, quantos);
    return maior;
}

// The separator is the one a heading splits into fields, else the one that
// splits the records alike; ";" when none does.
Leitura le(const QString& texto)
{
    const QChar separadores[] = {u';', u',', u'\t'};
    std::vector<std::vector<Registro>> porSeparador;
    for (const QChar separador : separadores) {
        porSeparador.push_back(registros(texto, separador));
        const std::vector<Registro>& lidos = porSeparador.back();
        const std::optional<size_t> primeiro = primeiroPreenchido(lidos);
        if (primeiro && preenchidos(lidos[*primeiro]) >= 2 && colunasDoCabecalho(lidos[*primeiro]))
            return comCabecalhoSeHouver(std::move(porSeparador.back()));
    }
    size_t melhor = 0;
    int melhorConcordancia = 0;
    for (size_t i = 0; i < porSeparador.size(); ++i) {
        const int concordancia = concordantes(porSeparador[i]);
        if (concordancia > melhorConcordancia) {
            melhor = i;
            melhorConcordancia = concordancia;
        }
    }
    return comCabecalhoSeHouver(std::move(porSeparador[melhor]));
}

// A control character in the field, which would not show, by its place.
std::optional<QString> problemaDeControle(const QString& oQue, const QString& texto)
{
    const auto achado = std::find_if(texto.begin(), texto.end(), eControle);
    if (achado == texto.end())
        return std::nullopt;
    return QStringLiteral("%1 tem um caractere de controle, que não se vê, na posição %2.")
        .arg(oQue)
        .arg(achado - texto.begin() + 1);
}

QString recusaDe(const QString& nome, const QString& email)
{
    if (nome.isEmpty())
        return kAvisoSemNome;
    std::optional<QString> problema = problemaDeControle(QStringLiteral("O nome"), nome);
    if (!problema)
        problema = ProblemaDoNome(nome);
    if (!problema)
        problema = problemaDeControle(QStringLiteral("O e-mail"), email);
    if (!problema)
        problema = ProblemaDoEMail(email);
    return problema.value_or(QString());
}

QString chaveDoNome(const QString& nome)
{
    return SemAcentos(nome).simplified();
}

QString chaveDoEMail(const QString& email)
{
    return email.trimmed().toCaseFolded();
}

// The first holder of each name or e-mail, as a repeated line names them.
class Donos {
public:
    void anota(const QString& chave, const QString& quem)
    {
        if (!chave.isEmpty() && !donos_.contains(chave))
            donos_.insert(chave, quem);
    }
    QString de(const QString& chave) const { return chave.isEmpty() ? QString() : donos_.value(chave); }

private:
    QHash<QString, QString> donos_;
};

QString quantos(qsizetype n, const QString& um, const QString& varios)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? um : varios);
}

QString nomes(const QStringList& quais)
{
    return quais.join(QStringLiteral(", "));
}

// Whether the student of the name was written to the student file with a
// number above every number before: a write that failed may have come after
// the student's record. Nothing when the file cannot be read to tell.
std::optional<bool> ficouNoArquivo(const QString& nome, std::int32_t numeroAntes)
{
    std::vector<tAluno> rol;
    try {
        rol = RolDoCurso();
    } catch (const AppError&) {
        return std::nullopt;
    }
    return std::any_of(rol.begin(), rol.end(), [&](const tAluno& aluno) {
        return aluno.Codigo > numeroAntes && fromCp1252(aluno.Nome.bytes()) == nome;
    });
}

// Whether the log holds the change of the student: a failure may have come
// after the line was written. A log that cannot be read does not.
bool ficouAnotado(std::int32_t codigo, const QString& mudanca)
{
    const QString fim = QStringLiteral(" - código %1 - %2").arg(codigo).arg(mudanca);
    try {
        const QStringList ultimas = UltimasAlteracoes(kAnotacoesRelidas);
        return std::any_of(ultimas.begin(), ultimas.end(), [&](const QString& l) { return l.endsWith(fim); });
    } catch (const AppError&) {
        return false;
    }
}

// Registers one student and logs it, telling in feita what was done; a
// failure ends the enrolment there. ultimoNumero follows the numbers given.
void matriculaUm(const LinhaDaTurma& linha, int periodo, MatriculaFeita& feita, std::int32_t& ultimoNumero)
{
    try {
        if (!GravaAluno(linha.nome, {}, linha.email, today(), periodo)) {
            feita.lotado = true;
            feita.naoMatriculados << linha.nome;
            return;
        }
    } catch (const AppError& erro) {
        feita.falha = erro.message();
        const std::optional<bool> ficou = ficouNoArquivo(linha.nome, ultimoNumero);
        if (!ficou) {
            feita.incertos << linha.nome;
        } else if (*ficou) {
            // registered before the failure, and never logged
            feita.matriculados << linha.nome;
            feita.semAnotacao << linha.nome;
        } else {
            feita.naoMatriculados << linha.nome;
        }
        return;
    }
    // GravaAluno leaves the number it gave in CodAlunoAtual
    ultimoNumero = CodAlunoAtual;
    feita.matriculados << linha.nome;
    const QString mudanca =
        QStringLiteral("matriculado pela lista da turma: \"%1\", %2").arg(linha.nome, NomeDoPeriodo(periodo));
    try {
        RegistraAlteracoes(ultimoNumero, {mudanca});
    } catch (const AppError& erro) {
        feita.falha = erro.message();
        if (!ficouAnotado(ultimoNumero, mudanca))
            feita.semAnotacao << linha.nome;
    }
}

}  // namespace

std::vector<LinhaDaTurma> LeListaDaTurma(const QByteArray& conteudo)
{
    const Leitura lida = le(textoDoArquivo(conteudo));
    std::vector<LinhaDaTurma> turma;
    for (size_t i = 0; i < lida.registros.size(); ++i) {
        const Registro& registro = lida.registros[i];
        if (preenchidos(registro) == 0 || lida.cabecalho == i)
            continue;
        LinhaDaTurma linha;
        linha.numero = registro.linha;
        linha.nome = registro.campos.value(lida.colunas.nome).trimmed();
        if (lida.colunas.email >= 0)
            linha.email = registro.campos.value(lida.colunas.email).trimmed();
        linha.recusa = recusaDe(linha.nome, linha.email);
        linha.fora = linha.recusa;
        turma.push_back(std::move(linha));
    }
    return turma;
}

QByteArray LeArquivoDaTurma(const QString& arquivo)
{
    const QString mostrado = QDir::toNativeSeparators(arquivo);
    const QFileInfo info(arquivo);
    if (info.exists() && !info.isFile())
        throw AppError(QStringLiteral("%1 não é um arquivo de texto").arg(mostrado));
    try {
        RecordFile lista(alvoDaLista(info), 1, RecordFile::Access::Read);
        // the size of the file opened, which is the one read
        const std::int64_t tamanho = lista.recordCount();
        if (tamanho > kMaiorLista)
            throw AppError(QStringLiteral("O arquivo %1 é grande demais para uma lista de alunos").arg(mostrado));
        const QByteArray conteudo = lista.readUpTo(tamanho);
        lista.close();
        return conteudo;
    } catch (const IoError& falha) {
        throw AppError(
            QStringLiteral("Não foi possível ler %1: %2").arg(mostrado, motivoDoSistema(falha.systemError())));
    }
}

std::vector<AlunoDoCurso> AlunosDoCurso(const std::vector<tAluno>& rol)
{
    std::vector<AlunoDoCurso> alunos;
    alunos.reserve(rol.size());
    for (const tAluno& aluno : rol)
        alunos.push_back({aluno.Codigo, fromCp1252(aluno.Nome.bytes()), fromCp1252(aluno.EMail.bytes())});
    return alunos;
}

std::int64_t VagasNoCurso(const std::vector<tAluno>& rol)
{
    return std::max<std::int64_t>(0, kMaximoDeAlunos - std::int64_t(rol.size()));
}

void MarcaRepetidas(std::vector<LinhaDaTurma>& turma, const std::vector<AlunoDoCurso>& curso)
{
    Donos donosDoNome;
    Donos donosDoEMail;
    for (const AlunoDoCurso& aluno : curso) {
        // in one arg(): a name may hold a "%2" of its own
        const QString codigo = QString::number(aluno.codigo);
        donosDoNome.anota(chaveDoNome(aluno.nome),
                          QStringLiteral("\"%1\" já está no curso, com o código %2.").arg(aluno.nome, codigo));
        donosDoEMail.anota(chaveDoEMail(aluno.email),
                           QStringLiteral("O e-mail já é de \"%1\", código %2, no curso.").arg(aluno.nome, codigo));
    }
    for (LinhaDaTurma& linha : turma) {
        linha.repetida.clear();
        if (!linha.recusa.isEmpty())
            continue;
        const QString nome = chaveDoNome(linha.nome);
        const QString email = chaveDoEMail(linha.email);
        linha.repetida = donosDoNome.de(nome);
        if (linha.repetida.isEmpty())
            linha.repetida = donosDoEMail.de(email);
        donosDoNome.anota(nome, QStringLiteral("Repete o nome da linha %1.").arg(linha.numero));
        donosDoEMail.anota(email, QStringLiteral("Repete o e-mail da linha %1.").arg(linha.numero));
    }
}

void DecideMatricula(std::vector<LinhaDaTurma>& turma, bool comRepetidas, std::int64_t vagas)
{
    for (LinhaDaTurma& linha : turma) {
        if (!linha.recusa.isEmpty()) {
            linha.fora = linha.recusa;
        } else if (!linha.repetida.isEmpty() && !comRepetidas) {
            linha.fora = linha.repetida;
        } else if (vagas <= 0) {
            linha.fora = QStringLiteral("O curso comporta no máximo %1 alunos.").arg(kMaximoDeAlunos);
        } else {
            --vagas;
            linha.fora.clear();
        }
    }
}

int Aceitas(const std::vector<LinhaDaTurma>& turma)
{
    return int(std::count_if(turma.begin(), turma.end(), [](const LinhaDaTurma& l) { return l.fora.isEmpty(); }));
}

QString Visivel(const QString& texto)
{
    QString visivel = texto;
    std::replace_if(visivel.begin(), visivel.end(), eControle, QChar(u'\u25A1'));
    return visivel;
}

MatriculaFeita MatriculaTurma(const std::vector<LinhaDaTurma>& turma, int periodo, const std::vector<tAluno>& rol)
{
    MatriculaFeita feita;
    std::int32_t ultimoNumero = 0;
    for (const tAluno& aluno : rol)
        ultimoNumero = std::max(ultimoNumero, aluno.Codigo);
    for (const LinhaDaTurma& linha : turma) {
        if (!linha.fora.isEmpty())
            continue;
        if (feita.completa())
            matriculaUm(linha, periodo, feita, ultimoNumero);
        else
            feita.naoMatriculados << linha.nome;
    }
    return feita;
}

QString ResumoDaMatricula(const std::vector<LinhaDaTurma>& turma, const MatriculaFeita& feita)
{
    QStringList frases;
    if (!feita.falha.isEmpty())
        frases << QStringLiteral("A matrícula parou antes do fim da lista: ") + errorReportText(feita.falha);
    else if (feita.lotado)
        frases << QStringLiteral("O curso ficou sem vagas antes do fim da lista.");
    QString matriculados = quantos(feita.matriculados.size(), QStringLiteral("aluno matriculado"),
                                   QStringLiteral("alunos matriculados"))
                           + QStringLiteral(", sem senha");
    // a whole enrolment is the list the teacher saw; one cut short names its students
    if (!feita.completa() && !feita.matriculados.isEmpty())
        matriculados += QStringLiteral(": ") + nomes(feita.matriculados);
    frases << matriculados + u'.';
    if (!feita.semAnotacao.isEmpty())
        frases << QStringLiteral("Matriculado, mas fora do registro de alterações (%1): %2.")
                      .arg(kArquivoAlteracoes, nomes(feita.semAnotacao));
    if (!feita.incertos.isEmpty())
        frases << QStringLiteral("O arquivo dos alunos não pôde ser lido para saber se foi matriculado: %1.")
                      .arg(nomes(feita.incertos));
    if (!feita.naoMatriculados.isEmpty())
        frases << quantos(feita.naoMatriculados.size(), QStringLiteral("aluno não foi matriculado"),
                          QStringLiteral("alunos não foram matriculados"))
                      + QStringLiteral(": ") + nomes(feita.naoMatriculados) + u'.';
    const int deFora = int(turma.size()) - Aceitas(turma);
    if (deFora > 0)
        frases << quantos(deFora, QStringLiteral("linha da lista ficou"), QStringLiteral("linhas da lista ficaram"))
                      + QStringLiteral(" de fora.");
    return frases.join(u'\r');
}
