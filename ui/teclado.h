#pragma once
// The Brazilian ABNT2 keyboard as a student has it in front of them, without
// widgets: every key at its place with its legends and the finger that
// presses it, and for every character the keys that type it. The keyboard on
// the screen draws this map; the exercise screen asks it which keys to light.

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

namespace teclado {

// The usual fingering: the thumbs share the space bar.
enum class Dedo {
    MinimoEsquerdo,
    AnelarEsquerdo,
    MedioEsquerdo,
    IndicadorEsquerdo,
    Polegar,
    IndicadorDireito,
    MedioDireito,
    AnelarDireito,
    MinimoDireito,
};
inline constexpr int kDedos = 9;

// "indicador esquerdo", "polegar", ...
QString nomeDoDedo(Dedo dedo);

struct Tecla {
    QString nome;       // what names it: "Q", "Ç", "Shift", "Enter", "Espaço", ...
    int linha;          // 0 the number row, 4 the space bar's
    double x;           // its left edge, in key widths from the keyboard's left edge
    double largura;     // in key widths
    Dedo dedo;
    QString base;       // the character it types alone; a dead key's accent
    QString comShift;   // with Shift
    QString comAltGr;   // with AltGr
    bool morta = false;     // base and comShift are accents that wait for a letter
    bool marcada = false;   // the home-row bump (F and J)
};

// Every key of the keyboard, row by row from the left.
const std::vector<Tecla>& abnt2();

// The key of that name (as in Tecla::nome); -1 when there is none.
int teclaChamada(const QString& nome);

enum class Modificador { Nenhum, Shift, AltGr };

// One stroke: a key, with the modifier held.
struct Toque {
    int tecla = -1;  // index into abnt2()
    Modificador modificador = Modificador::Nenhum;
    bool operator==(const Toque&) const = default;
};

// How a character is typed: a stroke, after a dead key's stroke for an
// accented letter or a lone accent.
struct Digitacao {
    std::optional<Toque> morta;
    Toque toque;
};

// Every character the keyboard types, with its strokes.
const std::vector<std::pair<QChar, Digitacao>>& caracteres();

// The strokes of the character; nothing when the keyboard cannot type it.
std::optional<Digitacao> digitacaoDe(QChar c);

// The keys to press together for one stroke: the key, and the Shift of the
// other hand or the AltGr.
std::vector<int> teclasDoToque(const Toque& toque);

// What the guide shows for the next thing to type.
struct Guia {
    std::vector<int> teclas;  // to press now, together
    QString dica;             // which fingers press them
};

// The guide for the next character of a line (nothing: the line is typed,
// ENTER is next), once its dead key, if it has one, has been typed or not.
Guia guiaPara(std::optional<QChar> proximo, bool mortaDigitada);

}  // namespace teclado
