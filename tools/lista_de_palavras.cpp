#include "tools/lista_de_palavras.h"

#include "data/text.h"

#include <QFile>
#include <QFileInfo>

#include <hunspell.hxx>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

const QString kFinaisDeFrase = QStringLiteral(".!?");

struct Linha {
    int numero;
    QByteArray bytes;
};

// The file's lines with their numbers; a line that starts with "#" is a
// comment. The newline that ends the last line opens no line of its own.
QList<Linha> linhasSemComentarios(const QByteArray& texto)
{
    QList<Linha> linhas;
    if (texto.isEmpty())
        return linhas;
    QList<QByteArray> partes = texto.split('\n');
    if (texto.endsWith('\n'))
        partes.removeLast();
    for (qsizetype i = 0; i < partes.size(); ++i) {
        if (!partes[i].startsWith('#'))
            linhas.append({int(i + 1), partes[i]});
    }
    return linhas;
}

QString entreAspas(const QString& texto)
{
    return u'"' + texto + u'"';
}

// Collects a file's problems, each told with its line.
class Problemas {
public:
    explicit Problemas(const QString& arquivo) : arquivo_(arquivo) {}
    void em(int linha, const QString& problema)
    {
        erros_ << QStringLiteral("%1:%2: %3").arg(arquivo_, QString::number(linha), problema);
    }
    QStringList erros() const { return erros_; }

private:
    QString arquivo_;
    QStringList erros_;
};

// The line as text, or nothing when it is not UTF-8.
std::optional<QString> emUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return texto;
}

// The first character the records' code page cannot hold, or an empty string.
QString foraDoWindows1252(const QString& texto)
{
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (!toCp1252(texto[i])) {
            const char32_t c = QStringView(texto).mid(i).toUcs4().front();
            return QStringLiteral("%1 (U+%2) está fora do Windows-1252")
                .arg(entreAspas(QString::fromUcs4(&c, 1)))
                .arg(uint(c), 4, 16, QChar(u'0'));
        }
    }
    return {};
}

bool temMaiuscula(const QString& texto)
{
    return std::any_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.isUpper(); });
}

bool temBranco(const QString& texto)
{
    return std::any_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.isSpace(); });
}

QString excluidaPor(const QString& palavra, const QString& entrada)
{
    return QStringLiteral("%1 está excluída pela entrada %2").arg(entreAspas(palavra), entreAspas(entrada));
}

QString desconhecida(const QString& palavra)
{
    return QStringLiteral("%1 não está no dicionário").arg(entreAspas(palavra));
}

// The first rule the practice's word breaks, or an empty string; vistas
// holds the line of every word met so far.
QString problemaDaPalavra(const QString& palavra, int linha, QHash<QString, int>& vistas, Dicionario& dicionario,
                          const ListaDeExclusao& excluidas)
{
    if (palavra.isEmpty())
        return QStringLiteral("linha em branco");
    if (temBranco(palavra))
        return QStringLiteral("%1 tem um espaço").arg(entreAspas(palavra));
    if (const QString fora = foraDoWindows1252(palavra); !fora.isEmpty())
        return fora;
    if (temMaiuscula(palavra))
        return QStringLiteral("%1 tem maiúscula").arg(entreAspas(palavra));
    if (const auto antes = vistas.constFind(palavra); antes != vistas.cend())
        return QStringLiteral("%1 repete a linha %2").arg(entreAspas(palavra)).arg(*antes);
    vistas.insert(palavra, linha);
    if (!dicionario.conhece(palavra))
        return desconhecida(palavra);
    if (const QString entrada = excluidas.entradaQueExclui(palavra, dicionario.raizes(palavra)); !entrada.isEmpty())
        return excluidaPor(palavra, entrada);
    return {};
}

// The rules of a phrase's shape that it breaks.
QStringList problemasDaForma(const QString& frase)
{
    QStringList problemas;
    if (frase.size() > kMaxCaracteresFrase)
        problemas << QStringLiteral("tem %1 caracteres, mais que %2").arg(frase.size()).arg(kMaxCaracteresFrase);
    if (!frase.front().isUpper())
        problemas << QStringLiteral("não começa com maiúscula");
    if (!kFinaisDeFrase.contains(frase.back()))
        problemas << QStringLiteral("não termina com \".\", \"!\" ou \"?\"");
    if (frase.contains(QStringLiteral("  ")))
        problemas << QStringLiteral("tem dois espaços juntos");
    return problemas;
}

// The words of a phrase: its runs of letters, an apostrophe between two
// letters kept ("d'água"). Blanks, punctuation, digits and symbols part
// them, so that "R$ 5,00", "10%" and "7h30" bring no word but "R" and "h".
QStringList palavrasDaFrase(const QString& frase)
{
    QStringList palavras;
    QString palavra;
    for (qsizetype i = 0; i < frase.size(); ++i) {
        const bool apostrofo =
            frase[i] == u'\'' && !palavra.isEmpty() && i + 1 < frase.size() && frase[i + 1].isLetter();
        if (frase[i].isLetter() || apostrofo) {
            palavra += frase[i];
        } else if (!palavra.isEmpty()) {
            palavras << palavra;
            palavra.clear();
        }
    }
    if (!palavra.isEmpty())
        palavras << palavra;
    return palavras;
}

// A phrase's word as the dictionary knows it: in small letters, or as
// written when it knows it only so (a name); nothing when it does not know it.
std::optional<QString> formaConhecida(const QString& palavra, Dicionario& dicionario)
{
    const QString minuscula = palavra.toLower();
    if (dicionario.conhece(minuscula))
        return minuscula;
    if (palavra != minuscula && dicionario.conhece(palavra))
        return palavra;
    return std::nullopt;
}

QStringList problemasDasPalavras(const QString& frase, Dicionario& dicionario, const ListaDeExclusao& excluidas)
{
    QStringList problemas;
    for (const QString& palavra : palavrasDaFrase(frase)) {
        const std::optional<QString> forma = formaConhecida(palavra, dicionario);
        if (!forma) {
            problemas << desconhecida(palavra);
            continue;
        }
        if (const QString entrada = excluidas.entradaQueExclui(*forma, dicionario.raizes(*forma)); !entrada.isEmpty())
            problemas << excluidaPor(palavra, entrada);
    }
    return problemas;
}

QStringList problemasDaFrase(const QString& frase, Dicionario& dicionario, const ListaDeExclusao& excluidas)
{
    if (frase.trimmed().isEmpty())
        return {QStringLiteral("linha em branco")};
    if (const QString fora = foraDoWindows1252(frase); !fora.isEmpty())
        return {fora};
    return problemasDaForma(frase) + problemasDasPalavras(frase, dicionario, excluidas);
}

}  // namespace

Dicionario::Dicionario(const QString& base)
{
    const QString aff = base + QStringLiteral(".aff");
    const QString dic = base + QStringLiteral(".dic");
    for (const QString& arquivo : {aff, dic}) {
        if (!QFileInfo(arquivo).isFile())
            throw std::runtime_error(QStringLiteral("%1: o dicionário não está lá").arg(arquivo).toStdString());
    }
    hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    const QByteArray codificacao = QByteArray::fromStdString(hunspell_->get_dict_encoding());
    codifica_ = QStringEncoder(codificacao.constData(), QStringConverter::Flag::Stateless);
    decodifica_ = QStringDecoder(codificacao.constData(), QStringConverter::Flag::Stateless);
    if (!codifica_.isValid() || !decodifica_.isValid())
        throw std::runtime_error(QStringLiteral("%1: a codificação %2 é desconhecida")
                                     .arg(aff, QString::fromLatin1(codificacao))
                                     .toStdString());
}

Dicionario::~Dicionario() = default;

bool Dicionario::conhece(const QString& palavra)
{
    const QByteArray bytes = codifica_.encode(palavra);
    // a character the dictionary's encoding cannot hold is in none of its words
    return !codifica_.hasError() && hunspell_->spell(bytes.toStdString());
}

QStringList Dicionario::raizes(const QString& palavra)
{
    QStringList raizes;
    const QByteArray bytes = codifica_.encode(palavra);
    if (codifica_.hasError())
        return raizes;
    for (const std::string& raiz : hunspell_->stem(bytes.toStdString()))
        raizes << decodifica_.decode(QByteArray::fromStdString(raiz));
    return raizes;
}

QString semAcentos(const QString& palavra)
{
    QString letras;
    for (const QChar c : palavra.toLower().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            letras += c;
    }
    return letras;
}

ListaDeExclusao::ListaDeExclusao(const QStringList& entradas)
{
    for (const QString& entrada : entradas)
        acrescenta(entrada);
}

void ListaDeExclusao::acrescenta(const QString& entrada)
{
    if (entrada.endsWith(u'*'))
        prefixos_.append({semAcentos(entrada.chopped(1)), entrada});
    else
        inteiras_.insert(semAcentos(entrada), entrada);
}

ListaDeExclusao ListaDeExclusao::le(const QByteArray& texto, const QString& arquivo, QStringList& erros)
{
    ListaDeExclusao lista;
    Problemas problemas(arquivo);
    for (const Linha& linha : linhasSemComentarios(texto)) {
        const std::optional<QString> entrada = emUtf8(linha.bytes.trimmed());
        if (!entrada) {
            problemas.em(linha.numero, QStringLiteral("a linha não está em UTF-8"));
            continue;
        }
        // blank lines group the entries
        if (entrada->isEmpty())
            continue;
        const QString letras = entrada->endsWith(u'*') ? entrada->chopped(1) : *entrada;
        const bool soMinusculas = !letras.isEmpty() && std::all_of(letras.cbegin(), letras.cend(), [](QChar c) {
            return c.isLetter() && c.isLower();
        });
        if (soMinusculas)
            lista.acrescenta(*entrada);
        else
            problemas.em(linha.numero, QStringLiteral("%1 não é uma palavra em minúsculas, com ou sem \"*\" no fim")
                                           .arg(entreAspas(*entrada)));
    }
    erros << problemas.erros();
    return lista;
}

QString ListaDeExclusao::entradaQueExclui(const QString& palavra, const QStringList& raizes) const
{
    const QString letras = semAcentos(palavra);
    for (const QString& forma : QStringList{letras} + raizes) {
        if (const auto inteira = inteiras_.constFind(semAcentos(forma)); inteira != inteiras_.cend())
            return *inteira;
    }
    for (const auto& [prefixo, entrada] : prefixos_) {
        if (letras.startsWith(prefixo))
            return entrada;
    }
    return {};
}

Conferencia conferePalavras(const QByteArray& texto, const QString& arquivo, Dicionario& dicionario,
                            const ListaDeExclusao& excluidas)
{
    Conferencia conferencia;
    Problemas problemas(arquivo);
    QHash<QString, int> vistas;
    const QList<Linha> linhas = linhasSemComentarios(texto);
    if (linhas.isEmpty())
        problemas.em(1, QStringLiteral("nenhuma palavra"));
    for (const Linha& linha : linhas) {
        const std::optional<QString> palavra = emUtf8(linha.bytes);
        const QString problema = palavra ? problemaDaPalavra(*palavra, linha.numero, vistas, dicionario, excluidas)
                                         : QStringLiteral("a linha não está em UTF-8");
        if (!problema.isEmpty())
            problemas.em(linha.numero, problema);
        conferencia.saida += linha.bytes + '\n';
    }
    conferencia.erros = problemas.erros();
    return conferencia;
}

Conferencia confereFrases(const QByteArray& texto, const QString& arquivo, Dicionario& dicionario,
                          const ListaDeExclusao& excluidas)
{
    Conferencia conferencia;
    Problemas problemas(arquivo);
    for (const Linha& linha : linhasSemComentarios(texto)) {
        const std::optional<QString> frase = emUtf8(linha.bytes);
        const QStringList daFrase = frase ? problemasDaFrase(*frase, dicionario, excluidas)
                                          : QStringList{QStringLiteral("a linha não está em UTF-8")};
        for (const QString& problema : daFrase)
            problemas.em(linha.numero, problema);
        conferencia.saida += linha.bytes + '\n';
    }
    conferencia.erros = problemas.erros();
    return conferencia;
}
