// The rule that strikes a word of the practice: the word or one of its
// stems is an entry, or the word begins with an entry's prefix; accents and
// capitals play no part.

#include "tools/lista_de_palavras.h"

#include "support/fixture.h"

namespace {

TEST(ListaDeExclusao, StrikesTheWordItsStemsAndWhatBeginsWithAPrefixAndNothingElse)
{
    const ListaDeExclusao lista({QStringLiteral("peidar"), QStringLiteral("pinto"), QStringLiteral("arma"),
                                 QStringLiteral("bund*"), QStringLiteral("pênis"), QStringLiteral("cachaç*")});
    struct Caso {
        const char* palavra;
        QStringList raizes;
        const char* entrada;  // empty when the word stays
    };
    const Caso casos[] = {
        {"peidar", {}, "peidar"},
        {"peidas", {"peidar"}, "peidar"},
        {"Peidas", {"peidar"}, "peidar"},
        {"pinto", {"pintar"}, "pinto"},
        // an entry is no prefix, of the word or of its stems
        {"pintor", {"pintor"}, ""},
        {"pintou", {"pintar"}, ""},
        {"armário", {"armário"}, ""},
        {"armas", {"armar", "arma"}, "arma"},
        // a prefix strikes what begins so, not what holds it
        {"bundinha", {"bundinha"}, "bund*"},
        {"abundante", {"abundante"}, ""},
        // accents aside, on either side
        {"penis", {}, "pênis"},
        {"PÊNIS", {}, "pênis"},
        {"cachaceiro", {"cachaceiro"}, "cachaç*"},
        {"casa", {"casa"}, ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.palavra);
        EXPECT_EQ(lista.entradaQueExclui(QString::fromUtf8(caso.palavra), caso.raizes),
                  QString::fromUtf8(caso.entrada));
    }
}

TEST(ListaDeExclusao, ReadsEntriesBetweenCommentsAndBlankLinesAndNamesTheLineOfAMalformedOne)
{
    const QByteArray texto = "# crude\n"
                             "bosta\n"
                             "\n"
                             "bunda*\n"
                             "Merda\n"
                             "ca sa\n"
                             "*\n"
                             "ca*sa\n"
                             "  mijar  \n";
    QStringList erros;
    const ListaDeExclusao lista = ListaDeExclusao::le(texto, QStringLiteral("excluidas.txt"), erros);
    const QString malFeita =
        QStringLiteral("excluidas.txt:%1: \"%2\" não é uma palavra em minúsculas, com ou sem \"*\" no fim");
    EXPECT_EQ(erros, (QStringList{malFeita.arg(5).arg("Merda"), malFeita.arg(6).arg("ca sa"), malFeita.arg(7).arg("*"),
                                  malFeita.arg(8).arg("ca*sa")}));
    EXPECT_EQ(lista.entradaQueExclui(QStringLiteral("bosta"), {}), QStringLiteral("bosta"));
    EXPECT_EQ(lista.entradaQueExclui(QStringLiteral("bundão"), {}), QStringLiteral("bunda*"));
    EXPECT_EQ(lista.entradaQueExclui(QStringLiteral("mijou"), {QStringLiteral("mijar")}), QStringLiteral("mijar"));
    EXPECT_EQ(lista.entradaQueExclui(QStringLiteral("casa"), {}), QString());
}

}  // namespace
