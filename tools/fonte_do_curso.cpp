#include "tools/fonte_do_curso.h"

#include "data/records.h"
#include "data/text.h"

#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kChaveExercicio = QStringLiteral("exercício");
const QString kChaveExigidas = QStringLiteral("exigidas");
const QString kChaveInstrucao = QStringLiteral("instrução");
const QString kChaveLinha = QStringLiteral("linha");
const QString kChaveSecao = QStringLiteral("seção");

constexpr int kMaiorByte = 255;
const QChar kEspacoDuro(0x00A0);

// On the ABNT2 keyboard these take two keys: the letters made with a dead
// accent, and the accents alone, made with the space bar.
const QString kCaracteresDeDuasTeclas =
    QStringLiteral("áéíóúýÁÉÍÓÚÝàèìòùÀÈÌÒÙâêîôûÂÊÎÔÛãõñÃÕÑäëïöüÿÄËÏÖÜŸ´`~^¨");

// One source line split at its first blank: the keyword and its value, taken
// byte for byte (a second blank after the keyword belongs to the value).
struct SourceLine {
    int number = 0;
    QString keyword;
    QString value;
};

QString codePoint(char32_t c)
{
    return QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, '0');
}

// The characters of a text that Windows-1252 holds, or the first problem.
struct Conversion {
    QByteArray bytes;
    QString problem;
};

Conversion convert(const QString& text)
{
    Conversion result;
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if (c == kEspacoDuro.unicode() || (one.size() == 1 && !one[0].isPrint())) {
            result.problem = QStringLiteral("o caractere %1 não se vê ou não se digita").arg(codePoint(c));
            return result;
        }
        const std::optional<char> byte = one.size() == 1 ? toCp1252(one[0]) : std::nullopt;
        if (!byte) {
            result.problem =
                QStringLiteral("o caractere \"%1\" (%2) não existe em Windows-1252").arg(one, codePoint(c));
            return result;
        }
        result.bytes.append(*byte);
    }
    return result;
}

// A whole number written with digits only, up to 255; nothing otherwise.
std::optional<int> smallNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = text.toInt();
    if (value > kMaiorByte)
        return std::nullopt;
    return value;
}

// The problems of a line the student must type into the typing field.
QStringList typingProblems(const QByteArray& line)
{
    QStringList problems;
    if (line.size() > kMaxCaracteresLinha)
        problems << QStringLiteral("a linha tem %1 caracteres, mais que os %2 do campo de digitação")
                        .arg(line.size())
                        .arg(kMaxCaracteresLinha);
    if (line.size() == 1)
        problems << QStringLiteral("uma linha de um só caractere volta do catálogo com um espaço a mais");
    if (line.startsWith(' '))
        problems << QStringLiteral("a linha começa com um espaço, que o campo de digitação recusa");
    if (line.contains("  "))
        problems << QStringLiteral(
            "a linha tem dois espaços seguidos, e o segundo vira \"_\" ao ser digitado");
    if (line.contains(';'))
        problems << QStringLiteral("a linha tem \";\", que vira \"ç\" ao ser digitado");
    return problems;
}

// The problem of a line too wide for its frame on the exercise screen, where
// it would wrap into two clipped half-rows.
std::optional<QString> screenProblem(const QByteArray& line, const MedidaNaTela& medida)
{
    if (!medida.larguraDaLinha)
        return std::nullopt;
    const int pixels = medida.larguraDaLinha(line);
    if (pixels <= medida.quadro)
        return std::nullopt;
    return QStringLiteral("a linha ocupa %1 pixels na tela, mais que os %2 do seu quadro")
        .arg(pixels)
        .arg(medida.quadro);
}

// A count of keystrokes as the messages and the table show it.
QString toques(double esforco)
{
    return std::isfinite(esforco) ? QString::number(std::llround(esforco)) : QStringLiteral("incontáveis");
}

// A character of the typing exercises' lines: the exercise that brings it
// first, and how many exercises have it.
struct Introducao {
    char caractere;
    const ExercicioDoCurso* exercicio;
    int exercicios;
};

// The distinct characters of some lines, in the order they first come.
QByteArray caracteresDistintos(const QList<QByteArray>& linhas)
{
    QByteArray distintos;
    for (const QByteArray& linha : linhas)
        for (char caractere : linha)
            if (!distintos.contains(caractere))
                distintos += caractere;
    return distintos;
}

// Every character of the typing exercises, in the order the course brings them.
QList<Introducao> introducoesDosCaracteres(const QList<ExercicioDoCurso>& exercises)
{
    QList<Introducao> introducoes;
    for (const ExercicioDoCurso& exercise : exercises) {
        if (exercise.musical())
            continue;
        for (char caractere : caracteresDistintos(exercise.linhas)) {
            const auto conhecido = std::find_if(introducoes.begin(), introducoes.end(),
                                                [caractere](const Introducao& i) { return i.caractere == caractere; });
            if (conhecido == introducoes.end())
                introducoes << Introducao{caractere, &exercise, 1};
            else
                ++conhecido->exercicios;
        }
    }
    return introducoes;
}

// Characters for a message, each between quotes, so that a space shows.
QString entreAspas(const QByteArray& caracteres)
{
    QStringList lista;
    for (char caractere : caracteres)
        lista << u'"' + fromCp1252(QByteArrayView(&caractere, 1)) + u'"';
    return lista.join(u' ');
}

std::optional<QString> caracteresDemais(const ExercicioDoCurso& exercise, const QList<Introducao>& introducoes)
{
    QByteArray novos;
    for (const Introducao& introducao : introducoes)
        if (introducao.exercicio == &exercise)
            novos += introducao.caractere;
    if (novos.size() <= kMaxCaracteresNovos)
        return std::nullopt;
    return QStringLiteral("%1 caracteres novos, mais que os %2 que um exercício pode trazer: %3")
        .arg(novos.size())
        .arg(kMaxCaracteresNovos)
        .arg(entreAspas(novos));
}

std::optional<QString> poucaPratica(const ExercicioDoCurso& exercise, const QList<Introducao>& introducoes)
{
    QStringList poucos;
    for (const Introducao& introducao : introducoes)
        if (introducao.exercicio == &exercise && introducao.exercicios < kMinExerciciosPorCaractere)
            poucos << QStringLiteral("%1 em %2").arg(entreAspas(QByteArray(1, introducao.caractere))).arg(introducao.exercicios);
    if (poucos.isEmpty())
        return std::nullopt;
    return QStringLiteral("caracteres que aparecem nas linhas de menos de %1 exercícios: %2")
        .arg(kMinExerciciosPorCaractere)
        .arg(poucos.join(QStringLiteral(", ")));
}

QString colunaDeEsforco(double acerto)
{
    return QStringLiteral("esforço esperado com %1% de acerto").arg(acerto * 100);
}

double maiorEsforco(const QList<ExercicioDoCurso>& exercises, double acerto)
{
    double maior = 0;
    for (const ExercicioDoCurso& exercise : exercises)
        if (!exercise.musical())
            maior = std::max(maior, esforcoEsperado(exercise, acerto));
    return maior;
}

class Parser {
public:
    Parser(QString fileName, MedidaNaTela medida)
        : fileName_(std::move(fileName)), medida_(std::move(medida))
    {
    }

    void read(const SourceLine& line)
    {
        if (line.keyword == kChaveExercicio)
            startExercise(line);
        else if (line.keyword == kChaveSecao)
            readSecao(line);
        else if (!inExercise_)
            errorAt(line.number, outsideExercise(line.keyword));
        else if (line.keyword == kChaveExigidas)
            readExigidas(line);
        else if (line.keyword == kChaveInstrucao)
            readInstrucao(line);
        else if (line.keyword == kChaveLinha)
            readLinha(line);
        else
            fail(line.number, QStringLiteral("palavra desconhecida \"%1\"").arg(line.keyword));
    }

    void errorAt(int lineNumber, const QString& problem)
    {
        result_.errors << QStringLiteral("%1:%2: %3").arg(fileName_, QString::number(lineNumber), problem);
    }

    FonteDoCurso finish()
    {
        closeExercise();
        if (pendingSection_)
            errorAt(pendingSection_->sourceLine,
                    QStringLiteral("a seção \"%1\" não tem nenhum exercício").arg(pendingSection_->nome));
        return std::move(result_);
    }

private:
    struct Block {
        ExercicioDoCurso exercise;
        QString label;  // the number as written, for the messages
        bool hasExigidas = false;
        bool hasInstrucao = false;
        int instrucaoLine = 0;
        int lines = 0;  // "linha" entries so far, empty ones included
        int firstEmptyLine = 0;
        bool refused = false;
        bool lineRefused = false;  // a refused line is not reported again as missing
    };

    void fail(int lineNumber, const QString& problem, int linha = 0)
    {
        const QString where =
            linha == 0 ? QStringLiteral("exercício %1").arg(block_.label)
                       : QStringLiteral("exercício %1, linha %2").arg(block_.label, QString::number(linha));
        errorAt(lineNumber, QStringLiteral("%1: %2").arg(where, problem));
        block_.refused = true;
        if (linha != 0)
            block_.lineRefused = true;
    }

    void startExercise(const SourceLine& line)
    {
        closeExercise();
        block_ = Block{};
        inExercise_ = true;
        block_.label = line.value;
        block_.exercise.sourceLine = line.number;
        ++exercisesSeen_;
        if (exercisesSeen_ == kMaxExercicios + 1)
            fail(line.number,
                 QStringLiteral("mais de %1 exercícios: o catálogo só tem %1 lugares").arg(kMaxExercicios));

        if (exercisesSeen_ == 1)
            firstExercise_ = line.value;
        const std::optional<int> numero = smallNumber(line.value);
        openPendingSection(numero.value_or(0));
        if (!numero || *numero == 0) {
            fail(line.number, QStringLiteral("o número do exercício deve ser de 1 a %1").arg(kMaiorByte));
            return;
        }
        block_.exercise.numero = *numero;
        if (previousNumero_ && *numero <= *previousNumero_)
            fail(line.number, QStringLiteral("o número não é maior que o do exercício anterior (%1)")
                                  .arg(*previousNumero_));
        previousNumero_ = *numero;
    }

    // A "seção" line ends the block before it, so that no field after it can
    // be taken for the previous exercise's; the section opens at the next one.
    void readSecao(const SourceLine& line)
    {
        closeExercise();
        if (line.value.trimmed().isEmpty())
            return errorAt(line.number, QStringLiteral("\"%1\" sem nome").arg(kChaveSecao));
        if (pendingSection_)
            return errorAt(line.number,
                           QStringLiteral("duas seções para o mesmo exercício: \"%1\" (linha %2) e \"%3\"")
                               .arg(pendingSection_->nome, QString::number(pendingSection_->sourceLine), line.value));
        if (result_.sections.isEmpty() && exercisesSeen_ > 0)
            errorAt(line.number, QStringLiteral("a primeira seção vem depois do exercício %1, que fica sem seção: "
                                                "havendo seções, o primeiro exercício está numa delas")
                                     .arg(firstExercise_));
        pendingSection_ = SecaoDoCurso{0, line.value, line.number};
    }

    void openPendingSection(int numero)
    {
        if (!pendingSection_)
            return;
        pendingSection_->primeiroExercicio = numero;
        result_.sections << *pendingSection_;
        pendingSection_.reset();
    }

    // Out of a block, a field can only stand before the first exercise or
    // after a "seção" line, which ended the block before it.
    QString outsideExercise(const QString& keyword) const
    {
        if (exercisesSeen_ == 0)
            return QStringLiteral("\"%1\" antes do primeiro \"%2\"").arg(keyword, kChaveExercicio);
        return QStringLiteral("\"%1\" depois de \"%2\", fora de um exercício: a seção encerra o exercício anterior")
            .arg(keyword, kChaveSecao);
    }

    void readExigidas(const SourceLine& line)
    {
        if (block_.hasExigidas)
            return fail(line.number, QStringLiteral("\"%1\" repetido").arg(kChaveExigidas));
        block_.hasExigidas = true;
        const std::optional<int> exigidas = smallNumber(line.value);
        if (!exigidas)
            return fail(
                line.number,
                QStringLiteral("\"%1\" deve ser um número de 1 a %2").arg(kChaveExigidas).arg(kMaiorByte));
        if (*exigidas == 0)
            return fail(line.number,
                        QStringLiteral("0 linhas exigidas: o exercício passaria sem nada certo"));
        block_.exercise.linhasExigidas = *exigidas;
    }

    void readInstrucao(const SourceLine& line)
    {
        if (block_.hasInstrucao)
            return fail(line.number, QStringLiteral("\"%1\" repetida").arg(kChaveInstrucao));
        block_.hasInstrucao = true;
        block_.instrucaoLine = line.number;
        const Conversion text = convert(line.value);
        if (!text.problem.isEmpty())
            return fail(line.number, QStringLiteral("instrução: %1").arg(text.problem));
        if (text.bytes.size() < 2)
            fail(line.number, QStringLiteral("a instrução precisa de ao menos 2 caracteres"));
        if (text.bytes.endsWith('.'))
            fail(line.number,
                 QStringLiteral("a instrução termina com ponto final, e a tela já acrescenta \". Este "
                                "exercício tem N toques\""));
        block_.exercise.instrucao = text.bytes;
    }

    void readLinha(const SourceLine& line)
    {
        const int linha = ++block_.lines;
        if (linha > kMaxLinhas)
            return fail(line.number, QStringLiteral("mais de %1 linhas").arg(kMaxLinhas), linha);
        if (line.value.isEmpty()) {
            if (block_.firstEmptyLine == 0)
                block_.firstEmptyLine = linha;
            return;
        }
        if (block_.firstEmptyLine != 0)
            fail(line.number,
                 QStringLiteral("a linha vem depois da linha %1, que está vazia").arg(block_.firstEmptyLine),
                 linha);
        const Conversion text = convert(line.value);
        if (!text.problem.isEmpty())
            return fail(line.number, text.problem, linha);
        for (const QString& problem : typingProblems(text.bytes))
            fail(line.number, problem, linha);
        if (const std::optional<QString> problem = screenProblem(text.bytes, medida_))
            fail(line.number, *problem, linha);
        block_.exercise.linhas << text.bytes;
    }

    void closeExercise()
    {
        if (!inExercise_)
            return;
        const int header = block_.exercise.sourceLine;
        if (block_.exercise.linhas.isEmpty() && !block_.lineRefused)
            fail(header, QStringLiteral("o exercício não tem nenhuma linha"));
        if (!block_.hasExigidas)
            fail(header, QStringLiteral("falta \"%1\"").arg(kChaveExigidas));
        if (!block_.hasInstrucao)
            fail(header, QStringLiteral("falta \"%1\"").arg(kChaveInstrucao));
        if (!block_.refused)
            completeExercise();
        if (!block_.refused)
            result_.exercises << block_.exercise;
        inExercise_ = false;
    }

    // A sound block becomes an exercise: a typing exercise's instruction
    // gets the sentence with its passes; then what the whole exercise must
    // meet is checked.
    void completeExercise()
    {
        ExercicioDoCurso& exercise = block_.exercise;
        const int linha = block_.instrucaoLine;
        QByteArray frase;
        if (!exercise.musical()) {
            frase = frasePassagens(exercise.linhasExigidas);
            exercise.instrucao += ". " + frase;
        }
        if (exercise.instrucao.size() > kMaxCaracteresInstrucao)
            fail(linha, instrucaoLonga(exercise.instrucao.size(), frase));
        if (medida_.alturaDaInstrucao) {
            const int altura = medida_.alturaDaInstrucao(InstrucaoMostrada(exercise.instrucao, exercise.numToques()));
            if (altura > medida_.painel)
                fail(linha, QStringLiteral("a instrução ocupa %1 pixels de altura na tela, mais que os %2 do seu quadro")
                                .arg(altura)
                                .arg(medida_.painel));
        }
        if (exercise.musical())
            return checkMusicalField(exercise);
        const double esforco = esforcoEsperado(exercise);
        if (!(esforco <= kEsforcoMaximo))
            fail(exercise.sourceLine,
                 QStringLiteral("passar o exercício custa em média %1 toques a quem acerta %2% deles, mais que os %3 "
                                "que um exercício pode pedir")
                     .arg(toques(esforco))
                     .arg(kAcertoDeReferencia * 100)
                     .arg(kEsforcoMaximo));
    }

    // On the musical keyboard ENTER leaves the field as it is: the melodies
    // must fit in it one after the other.
    void checkMusicalField(const ExercicioDoCurso& exercise)
    {
        qsizetype notas = 0;
        for (const QByteArray& linha : exercise.linhas)
            notas += linha.size();
        if (notas > kMaxCaracteresLinha)
            fail(exercise.sourceLine,
                 QStringLiteral("as linhas somam %1 notas, mais que as %2 que o campo de digitação guarda: no teclado "
                                "musical o ENTER não esvazia o campo")
                     .arg(notas)
                     .arg(kMaxCaracteresLinha));
    }

    static QString instrucaoLonga(qsizetype tamanho, const QByteArray& frase)
    {
        const QString limite = QStringLiteral("mais que %1").arg(kMaxCaracteresInstrucao);
        if (frase.isEmpty())
            return QStringLiteral("a instrução tem %1 caracteres, %2").arg(tamanho).arg(limite);
        return QStringLiteral("a instrução tem %1 caracteres com \". %2\" no fim, %3")
            .arg(tamanho)
            .arg(fromCp1252(frase), limite);
    }

    QString fileName_;
    MedidaNaTela medida_;
    FonteDoCurso result_;
    Block block_;
    bool inExercise_ = false;
    int exercisesSeen_ = 0;
    QString firstExercise_;  // its number as written, for the messages
    std::optional<int> previousNumero_;
    std::optional<SecaoDoCurso> pendingSection_;  // named, its first exercise still to come
};

// Splits one raw source line; nothing for comments and blank lines.
std::optional<SourceLine> splitLine(int number, const QString& text)
{
    if (text.trimmed().isEmpty() || text.startsWith('#'))
        return std::nullopt;
    SourceLine line;
    line.number = number;
    const qsizetype blank = text.indexOf(' ');
    line.keyword = blank < 0 ? text : text.left(blank);
    line.value = blank < 0 ? QString() : text.mid(blank + 1);
    return line;
}

}  // namespace

int ExercicioDoCurso::numToques() const
{
    qsizetype longest = 0;
    for (const QByteArray& linha : linhas)
        longest = std::max(longest, linha.size());
    return int(longest);
}

FonteDoCurso leCurso(const QByteArray& utf8, const QString& fileName, const MedidaNaTela& medida)
{
    Parser parser(fileName, medida);
    const QByteArray bom = QByteArrayLiteral("\xEF\xBB\xBF");
    QList<QByteArray> rawLines = (utf8.startsWith(bom) ? utf8.mid(bom.size()) : utf8).split('\n');
    if (!rawLines.isEmpty() && rawLines.last().isEmpty())
        rawLines.removeLast();
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        const int number = int(i + 1);
        QByteArray raw = rawLines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(raw);
        if (decoder.hasError()) {
            parser.errorAt(number, QStringLiteral("a linha não é UTF-8 válido"));
            continue;
        }
        if (const std::optional<SourceLine> line = splitLine(number, text))
            parser.read(*line);
    }
    return parser.finish();
}

bool ExercicioDoCurso::musical() const
{
    return numero >= kPrimeiroExercicioMusical;
}

QByteArray textoDasSecoes(const QList<SecaoDoCurso>& sections)
{
    QByteArray texto;
    for (const SecaoDoCurso& section : sections)
        texto += QByteArray::number(section.primeiroExercicio) + '\t' + section.nome.toUtf8() + '\n';
    return texto;
}

QByteArray frasePassagens(int linhasExigidas)
{
    if (linhasExigidas == 1)
        return "Digite o bloco uma vez sem erro";
    return "Digite o bloco " + QByteArray::number(linhasExigidas) + " vezes seguidas sem erro";
}

int toquesDoCaractere(char caractereCp1252)
{
    return kCaracteresDeDuasTeclas.contains(fromCp1252(QByteArrayView(&caractereCp1252, 1))) ? 2 : 1;
}

int toquesDaLinha(const QByteArray& linhaCp1252)
{
    int total = 0;
    for (char caractere : linhaCp1252)
        total += toquesDoCaractere(caractere);
    return total;
}

double esforcoEsperado(const ExercicioDoCurso& exercise, double acerto)
{
    // over one attempt: what it costs, and the chance to reach each line
    double custo = 0;
    double chance = 1;
    for (int passagem = 0; passagem < exercise.linhasExigidas; ++passagem) {
        for (const QByteArray& linha : exercise.linhas) {
            const int teclas = toquesDaLinha(linha);
            custo += chance * double(teclas + 1);
            chance *= std::pow(acerto, double(teclas));
        }
    }
    // the attempts until one gets through
    return chance > 0 ? custo / chance : std::numeric_limits<double>::infinity();
}

double esforcoDoCurso(const QList<ExercicioDoCurso>& exercises, double acerto)
{
    double total = 0;
    for (const ExercicioDoCurso& exercise : exercises)
        if (!exercise.musical())
            total += esforcoEsperado(exercise, acerto);
    return total;
}

QStringList problemasDoCurso(const QList<ExercicioDoCurso>& exercises, const QString& fileName)
{
    const QList<Introducao> introducoes = introducoesDosCaracteres(exercises);
    QStringList problemas;
    for (const ExercicioDoCurso& exercise : exercises) {
        if (exercise.musical())
            continue;
        const auto noExercicio = [&](const QString& problema) {
            return QStringLiteral("%1:%2: exercício %3: %4")
                .arg(fileName, QString::number(exercise.sourceLine), QString::number(exercise.numero), problema);
        };
        if (const std::optional<QString> problema = caracteresDemais(exercise, introducoes))
            problemas << noExercicio(*problema);
        if (const std::optional<QString> problema = poucaPratica(exercise, introducoes))
            problemas << noExercicio(*problema);
    }
    const double total = esforcoDoCurso(exercises);
    if (!(total <= kEsforcoMaximoDoCurso))
        problemas << QStringLiteral("%1: o curso inteiro custa em média %2 toques a quem acerta %3% deles, mais que os "
                                    "%4 que o curso pode pedir")
                         .arg(fileName, toques(total))
                         .arg(kAcertoDeReferencia * 100)
                         .arg(kEsforcoMaximoDoCurso);
    return problemas;
}

QString tabelaDeEsforco(const QList<ExercicioDoCurso>& exercises)
{
    const double acertos[] = {kAcertoDeReferencia, kAcertoComPratica};
    const QStringList cabecalho = {QStringLiteral("exercício"), QStringLiteral("exigidas"),
                                   QStringLiteral("toques por passagem"), colunaDeEsforco(acertos[0]),
                                   colunaDeEsforco(acertos[1])};
    // every cell under its heading, flush right
    const auto linha = [&cabecalho](const QStringList& celulas) {
        QStringList alinhadas;
        for (qsizetype i = 0; i < celulas.size(); ++i)
            alinhadas << celulas[i].rightJustified(cabecalho[i].size());
        return alinhadas.join(QStringLiteral("  ")) + u'\n';
    };
    QString tabela = linha(cabecalho);
    for (const ExercicioDoCurso& exercise : exercises) {
        int porPassagem = 0;
        for (const QByteArray& texto : exercise.linhas)
            porPassagem += toquesDaLinha(texto) + 1;
        QStringList celulas = {QString::number(exercise.numero), QString::number(exercise.linhasExigidas),
                               QString::number(porPassagem)};
        for (double acerto : acertos)
            celulas << (exercise.musical() ? QStringLiteral("teclado musical") : toques(esforcoEsperado(exercise, acerto)));
        tabela += linha(celulas);
    }
    tabela += linha({QStringLiteral("total"), {}, {}, toques(esforcoDoCurso(exercises, acertos[0])),
                     toques(esforcoDoCurso(exercises, acertos[1]))});
    tabela += linha({QStringLiteral("maior"), {}, {}, toques(maiorEsforco(exercises, acertos[0])),
                     toques(maiorEsforco(exercises, acertos[1]))});
    return tabela;
}
