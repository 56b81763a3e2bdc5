#pragma once
// Checking the practice's words (content/palavras.txt) and phrases
// (content/frases.txt) against the Brazilian Portuguese dictionary and the
// list of struck words (content/palavras-excluidas.txt). A file that breaks
// a rule is refused with a message naming the file, the line and the rule.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <memory>

class Hunspell;

// A hunspell dictionary: "<base>.aff" and "<base>.dic".
class Dicionario {
public:
    // Throws std::runtime_error when either file is missing or the
    // dictionary's encoding is one Qt does not know.
    explicit Dicionario(const QString& base);
    ~Dicionario();

    bool conhece(const QString& palavra);
    // The stems the dictionary gives for the word: "peidas" gives "peidar".
    QStringList raizes(const QString& palavra);

private:
    std::unique_ptr<Hunspell> hunspell_;
    // the words go to the library in the encoding its .aff declares
    QStringEncoder codifica_;
    QStringDecoder decodifica_;
};

// The words the practice never shows. An entry strikes a word when the word,
// or one of its stems, is the entry; an entry ending in "*" strikes every
// word that begins so. Accents and capitals play no part.
class ListaDeExclusao {
public:
    // Reads the list ("#" starts a comment line); an entry that is not a
    // word in small letters, with or without a final "*", goes to erros.
    static ListaDeExclusao le(const QByteArray& texto, const QString& arquivo, QStringList& erros);
    ListaDeExclusao() = default;
    explicit ListaDeExclusao(const QStringList& entradas);

    // The entry that strikes the word, as the list writes it; empty when none.
    QString entradaQueExclui(const QString& palavra, const QStringList& raizes) const;

private:
    void acrescenta(const QString& entrada);

    // folded entry -> the entry as written
    QHash<QString, QString> inteiras_;
    QList<std::pair<QString, QString>> prefixos_;
};

// A word without its accents, in small letters: "Água" gives "agua".
QString semAcentos(const QString& palavra);

struct Conferencia {
    QByteArray saida;  // the file without its comment lines, when erros is empty
    QStringList erros;
};

// The practice's words, one a line: each known to the dictionary, struck by
// no entry, in small letters, in Windows-1252, once, without blanks.
Conferencia conferePalavras(const QByteArray& texto, const QString& arquivo, Dicionario& dicionario,
                            const ListaDeExclusao& excluidas);

inline constexpr int kMaxCaracteresFrase = 48;

// The practice's phrases, one a line: each starting with a capital and
// ending in ".", "!" or "?", at most kMaxCaracteresFrase characters of
// Windows-1252, without two blanks together; each of its words (its runs of
// letters) known to the dictionary, in small letters or, a name, only as
// written, and struck by no entry.
Conferencia confereFrases(const QByteArray& texto, const QString& arquivo, Dicionario& dicionario,
                          const ListaDeExclusao& excluidas);
