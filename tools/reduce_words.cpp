// Reduces a Brazilian Portuguese word list (Debian's wbrazilian,
// /usr/share/dict/brazilian, one word a line, UTF-8) to the words the
// practice lines are made of:
//
//   quiravo_reduz_palavras LISTA EXCLUIDAS SAIDA
//
// A word is kept when it is written in small letters of the Portuguese
// alphabet only (no names, abbreviations, hyphens or foreign letters), is 2
// to 8 letters long, is not in the forms rare in everyday text (the second
// person plural, the pluperfect and the future of the verbs, the forms cut
// from a pronoun) and is not excluded (EXCLUIDAS: a word a line, "prefix*"
// for every word that begins so; "#" starts a comment). The list has no
// frequencies: of what is left, kQuantas words are taken evenly spread over
// the alphabet, so that every beginning is there.

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int kQuantas = 4000;

const QRegularExpression kPalavra(QStringLiteral("^[a-jl-vxzáàâãéêíóôõúç]{2,8}$"));

// endings of forms that no one types in a school's text
const QStringList kFormasRaras = {
    QStringLiteral("sseis"), QStringLiteral("reis"),   QStringLiteral("rdes"),   QStringLiteral("íeis"),
    QStringLiteral("ríamos"), QStringLiteral("ssemos"), QStringLiteral("ssem"), QStringLiteral("sses"),
    QStringLiteral("sse"),   QStringLiteral("ramos"),  QStringLiteral("rmo"),    QStringLiteral("emo"),
    QStringLiteral("amo"),   QStringLiteral("imo"),    QStringLiteral("ste"),    QStringLiteral("stes"),
    QStringLiteral("mos"),   QStringLiteral("eis"),
};
// the same, in words longer than six letters only
const QStringList kFormasRarasLongas = {
    QStringLiteral("aras"), QStringLiteral("eras"), QStringLiteral("iras"), QStringLiteral("avas"),
    QStringLiteral("ias"),  QStringLiteral("ares"), QStringLiteral("eres"), QStringLiteral("ires"),
    QStringLiteral("ais"),  QStringLiteral("aria"), QStringLiteral("eria"), QStringLiteral("iria"),
    QStringLiteral("arão"), QStringLiteral("erão"), QStringLiteral("irão"), QStringLiteral("arás"),
    QStringLiteral("erás"), QStringLiteral("irás"), QStringLiteral("ei"),   QStringLiteral("ai"),
};

bool terminaEm(const QString& palavra, const QStringList& finais)
{
    for (const QString& final : finais) {
        if (palavra.endsWith(final))
            return true;
    }
    return false;
}

bool formaComum(const QString& palavra)
{
    if (terminaEm(palavra, kFormasRaras))
        return false;
    if (palavra.size() > 6 && terminaEm(palavra, kFormasRarasLongas))
        return false;
    // a verb's form cut from its pronoun ("tracejá-lo")
    return !(palavra.size() >= 6 && QStringView(u"áêíóô").contains(palavra.back()));
}

bool excluida(const QString& palavra, const QStringList& excluidas)
{
    for (const QString& e : excluidas) {
        if (e.endsWith(u'*') ? palavra.startsWith(e.chopped(1)) : palavra == e)
            return true;
    }
    return false;
}

QStringList linhas(const char* arquivo)
{
    QFile f(QString::fromLocal8Bit(arquivo));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quiravo_reduz_palavras: %s: %s\n", arquivo, qPrintable(f.errorString()));
        return {};
    }
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "uso: quiravo_reduz_palavras LISTA EXCLUIDAS SAIDA\n");
        return 2;
    }
    const QStringList lista = linhas(argv[1]);
    QStringList excluidas;
    for (const QString& linha : linhas(argv[2])) {
        const QString e = linha.section(u'#', 0, 0).trimmed();
        if (!e.isEmpty())
            excluidas << e;
    }
    QStringList aceitas;
    for (const QString& linha : lista) {
        const QString palavra = linha.trimmed();
        if (kPalavra.match(palavra).hasMatch() && formaComum(palavra) && !excluida(palavra, excluidas))
            aceitas << palavra;
    }
    if (aceitas.size() < kQuantas) {
        std::fprintf(stderr, "quiravo_reduz_palavras: only %d words qualify\n", int(aceitas.size()));
        return 1;
    }
    aceitas.sort();
    QByteArray saida;
    for (int i = 0; i < kQuantas; ++i)
        saida += aceitas[int(qint64(i) * aceitas.size() / kQuantas)].toUtf8() + '\n';
    QFile f(QString::fromLocal8Bit(argv[3]));
    if (!f.open(QIODevice::WriteOnly) || f.write(saida) != saida.size() || !f.flush()) {
        std::fprintf(stderr, "quiravo_reduz_palavras: %s: %s\n", argv[3], qPrintable(f.errorString()));
        return 1;
    }
    return 0;
}
