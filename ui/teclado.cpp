#include "ui/teclado.h"

#include <QHash>
#include <QStringList>

namespace teclado {

namespace {

using enum Dedo;

// A row of keys one key wide, from x on, each with its finger and legends
// ("base shift altgr", blanks apart, the last ones left out when none).
void fileira(std::vector<Tecla>& teclas, int linha, double x, const std::vector<std::pair<Dedo, const char*>>& chaves)
{
    for (const auto& [dedo, legendas] : chaves) {
        const QStringList partes = QString::fromUtf8(legendas).split(u' ');
        const auto parte = [&](int i) { return i < partes.size() ? partes[i] : QString(); };
        Tecla tecla{parte(0).toUpper(), linha, x, 1.0, dedo, parte(0), parte(1), parte(2)};
        teclas.push_back(tecla);
        x += 1.0;
    }
}

Tecla especial(const char* nome, int linha, double x, double largura, Dedo dedo)
{
    return {QString::fromUtf8(nome), linha, x, largura, dedo, {}, {}, {}};
}

std::vector<Tecla> monta()
{
    std::vector<Tecla> t;
    fileira(t, 0, 0, {{MinimoEsquerdo, "' \""}, {MinimoEsquerdo, "1 ! ¹"}, {AnelarEsquerdo, "2 @ ²"},
                      {MedioEsquerdo, "3 # ³"}, {IndicadorEsquerdo, "4 $ £"}, {IndicadorEsquerdo, "5 % ¢"},
                      {IndicadorDireito, "6 ¨ ¬"}, {IndicadorDireito, "7 &"}, {MedioDireito, "8 *"},
                      {AnelarDireito, "9 ("}, {MinimoDireito, "0 )"}, {MinimoDireito, "- _"},
                      {MinimoDireito, "= + §"}});
    t.push_back(especial("Backspace", 0, 13, 2, MinimoDireito));

    t.push_back(especial("Tab", 1, 0, 1.5, MinimoEsquerdo));
    fileira(t, 1, 1.5, {{MinimoEsquerdo, "q Q /"}, {AnelarEsquerdo, "w W ?"}, {MedioEsquerdo, "e E °"},
                        {IndicadorEsquerdo, "r R"}, {IndicadorEsquerdo, "t T"}, {IndicadorDireito, "y Y"},
                        {IndicadorDireito, "u U"}, {MedioDireito, "i I"}, {AnelarDireito, "o O"},
                        {MinimoDireito, "p P"}, {MinimoDireito, "´ `"}, {MinimoDireito, "[ { ª"}});
    t.push_back(especial("Enter", 1, 13.5, 1.5, MinimoDireito));

    t.push_back(especial("Caps Lock", 2, 0, 1.75, MinimoEsquerdo));
    fileira(t, 2, 1.75, {{MinimoEsquerdo, "a A"}, {AnelarEsquerdo, "s S"}, {MedioEsquerdo, "d D"},
                         {IndicadorEsquerdo, "f F"}, {IndicadorEsquerdo, "g G"}, {IndicadorDireito, "h H"},
                         {IndicadorDireito, "j J"}, {MedioDireito, "k K"}, {AnelarDireito, "l L"},
                         {MinimoDireito, "ç Ç"}, {MinimoDireito, "~ ^"}, {MinimoDireito, "] } º"}});

    t.push_back(especial("Shift", 3, 0, 1.25, MinimoEsquerdo));
    fileira(t, 3, 1.25, {{MinimoEsquerdo, "\\ |"}, {MinimoEsquerdo, "z Z"}, {AnelarEsquerdo, "x X"},
                         {MedioEsquerdo, "c C"}, {IndicadorEsquerdo, "v V"}, {IndicadorEsquerdo, "b B"},
                         {IndicadorDireito, "n N"}, {IndicadorDireito, "m M"}, {MedioDireito, ", <"},
                         {AnelarDireito, ". >"}, {MinimoDireito, "; :"}, {MinimoDireito, "/ ? °"}});
    t.push_back(especial("Shift direito", 3, 13.25, 1.75, MinimoDireito));

    t.push_back(especial("Ctrl", 4, 0, 1.25, MinimoEsquerdo));
    t.push_back(especial("Win", 4, 1.25, 1.25, MinimoEsquerdo));
    t.push_back(especial("Alt", 4, 2.5, 1.25, Polegar));
    t.push_back(especial("Espaço", 4, 3.75, 6.25, Polegar));
    t.push_back(especial("AltGr", 4, 10, 1.25, Polegar));
    t.push_back(especial("Win direito", 4, 11.25, 1.25, MinimoDireito));
    t.push_back(especial("Menu", 4, 12.5, 1.25, MinimoDireito));
    t.push_back(especial("Ctrl direito", 4, 13.75, 1.25, MinimoDireito));

    for (Tecla& tecla : t) {
        tecla.morta = tecla.base == u"´" || tecla.base == u"~";
        tecla.marcada = tecla.nome == u"F" || tecla.nome == u"J";
        if (tecla.nome == u"Espaço")
            tecla.base = QStringLiteral(" ");
    }
    return t;
}

bool daMaoEsquerda(Dedo dedo)
{
    return dedo < Polegar;
}

Toque toque(const char* tecla, Modificador modificador = Modificador::Nenhum)
{
    return {teclaChamada(QString::fromUtf8(tecla)), modificador};
}

// Each legend of each key is a character it types, plain legends first, so
// that "/" and "?" are the keys beside the right Shift rather than AltGr on
// Q and W; an accent is typed alone by its dead key and the space bar. The
// accented letters come from the dead keys.
std::vector<std::pair<QChar, Digitacao>> tabela()
{
    std::vector<std::pair<QChar, Digitacao>> lista;
    const std::vector<Tecla>& teclas = abnt2();
    const Toque espaco = toque("Espaço");
    for (const Modificador modificador : {Modificador::Nenhum, Modificador::Shift, Modificador::AltGr}) {
        for (int i = 0; i < int(teclas.size()); ++i) {
            const Tecla& tecla = teclas[size_t(i)];
            const QString legenda = modificador == Modificador::Nenhum ? tecla.base
                                    : modificador == Modificador::Shift ? tecla.comShift
                                                                         : tecla.comAltGr;
            if (legenda.size() != 1)
                continue;
            const bool acento = (tecla.morta && modificador != Modificador::AltGr) || legenda == u"¨";
            if (acento)
                lista.push_back({legenda[0], {Toque{i, modificador}, espaco}});
            else
                lista.push_back({legenda[0], {std::nullopt, Toque{i, modificador}}});
        }
    }
    const struct {
        const char* morta;
        Modificador modificador;
        const char* minusculas;
        const char* maiusculas;
    } acentos[] = {
        {"´", Modificador::Nenhum, "áéíóúý", "ÁÉÍÓÚÝ"},
        {"´", Modificador::Shift, "àèìòù", "ÀÈÌÒÙ"},
        {"~", Modificador::Nenhum, "ãõñ", "ÃÕÑ"},
        {"~", Modificador::Shift, "âêîôû", "ÂÊÎÔÛ"},
        {"6", Modificador::Shift, "äëïöüÿ", "ÄËÏÖÜ"},
    };
    for (const auto& acento : acentos) {
        const Toque morta = toque(acento.morta, acento.modificador);
        for (const auto& [letras, modificador] : {std::pair{acento.minusculas, Modificador::Nenhum},
                                                 std::pair{acento.maiusculas, Modificador::Shift}}) {
            for (const QChar letra : QString::fromUtf8(letras)) {
                const QChar semAcento = letra.decomposition().isEmpty() ? letra : letra.decomposition()[0];
                lista.push_back({letra, {morta, toque(qPrintable(QString(semAcento).toUpper()), modificador)}});
            }
        }
    }
    return lista;
}

}  // namespace

QString nomeDoDedo(Dedo dedo)
{
    switch (dedo) {
    case MinimoEsquerdo: return QStringLiteral("mínimo esquerdo");
    case AnelarEsquerdo: return QStringLiteral("anelar esquerdo");
    case MedioEsquerdo: return QStringLiteral("médio esquerdo");
    case IndicadorEsquerdo: return QStringLiteral("indicador esquerdo");
    case Polegar: return QStringLiteral("polegar");
    case IndicadorDireito: return QStringLiteral("indicador direito");
    case MedioDireito: return QStringLiteral("médio direito");
    case AnelarDireito: return QStringLiteral("anelar direito");
    case MinimoDireito: return QStringLiteral("mínimo direito");
    }
    return {};
}

const std::vector<Tecla>& abnt2()
{
    static const std::vector<Tecla> teclas = monta();
    return teclas;
}

int teclaChamada(const QString& nome)
{
    const std::vector<Tecla>& teclas = abnt2();
    for (int i = 0; i < int(teclas.size()); ++i) {
        if (teclas[size_t(i)].nome == nome)
            return i;
    }
    return -1;
}

const std::vector<std::pair<QChar, Digitacao>>& caracteres()
{
    static const std::vector<std::pair<QChar, Digitacao>> lista = tabela();
    return lista;
}

// Asked at every key: looked up, not searched.
std::optional<Digitacao> digitacaoDe(QChar c)
{
    static const QHash<QChar, Digitacao> porCaractere = [] {
        QHash<QChar, Digitacao> tabela;
        // the list's first way to type a character is the one shown
        for (const auto& [caractere, digitacao] : caracteres()) {
            if (!tabela.contains(caractere))
                tabela.insert(caractere, digitacao);
        }
        return tabela;
    }();
    const auto achada = porCaractere.constFind(c);
    if (achada == porCaractere.constEnd())
        return std::nullopt;
    return *achada;
}

std::vector<int> teclasDoToque(const Toque& toque)
{
    std::vector<int> teclas{toque.tecla};
    if (toque.modificador == Modificador::AltGr)
        teclas.push_back(teclaChamada(QStringLiteral("AltGr")));
    else if (toque.modificador == Modificador::Shift)
        teclas.push_back(teclaChamada(daMaoEsquerda(abnt2()[size_t(toque.tecla)].dedo) ? QStringLiteral("Shift direito")
                                                                                      : QStringLiteral("Shift")));
    return teclas;
}

Guia guiaPara(std::optional<QChar> proximo, bool mortaDigitada)
{
    Toque agora{teclaChamada(QStringLiteral("Enter")), Modificador::Nenhum};
    if (proximo) {
        const std::optional<Digitacao> digitacao = digitacaoDe(*proximo);
        if (!digitacao)
            return {};
        agora = digitacao->morta && !mortaDigitada ? *digitacao->morta : digitacao->toque;
    }
    Guia guia;
    guia.teclas = teclasDoToque(agora);
    QStringList dedos;
    for (const int tecla : guia.teclas)
        dedos << abnt2()[size_t(tecla)].nome + QStringLiteral(": ") + nomeDoDedo(abnt2()[size_t(tecla)].dedo);
    guia.dica = dedos.join(QStringLiteral(" + "));
    return guia;
}

}  // namespace teclado
