#include "data/scrambling.h"

#include "data/text.h"
#include "platform/errors.h"

#include <chrono>
#include <random>

namespace {

constexpr int kKeyLength = 10;
constexpr int kDirectionPosition = 6;
constexpr int kShiftPositionPosition = 7;

// The digit at a 1-based position of the key. A position outside the key
// reads as the empty text, which is no number either.
int digitAt(const QByteArray& chave, int position)
{
    if (position < 1 || position > chave.size())
        throw ConversionError(QString());
    const char c = chave[position - 1];
    if (c >= '0' && c <= '9')
        return c - '0';
    throw ConversionError(fromCp1252(chave.mid(position - 1, 1)));
}

// The shift with which Embaralha scrambles under this key; Desembaralha
// uses its opposite. Only positions 6, 7 and the one 7 names are read.
int scramblingShift(const QByteArray& chave)
{
    if (chave.size() < kKeyLength)
        throw ConversionError(QString());
    const int direction = digitAt(chave, kDirectionPosition);
    const int shiftPosition = digitAt(chave, kShiftPositionPosition);
    const int shift = digitAt(chave, shiftPosition);
    return direction % 2 == 0 ? shift : -shift;
}

// Swaps every whole pair of characters and shifts both by s (modulo 256);
// the last character of an odd-length text stays as it is, and so does a
// text shorter than one pair.
QByteArray pairStep(QByteArray text, int s)
{
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const auto first = std::uint8_t(text[i]);
        const auto second = std::uint8_t(text[i + 1]);
        text[i] = char(std::uint8_t(second + s));
        text[i + 1] = char(std::uint8_t(first + s));
    }
    return text;
}

class KeyDraw {
public:
    KeyDraw()
        : generator_(std::mt19937::result_type(
              std::chrono::high_resolution_clock::now().time_since_epoch().count()))
    {
    }

    int upTo(int highest) { return std::uniform_int_distribution<int>(0, highest)(generator_); }

    // A printable filler character, from the blank to "z".
    char filler()
    {
        int c;
        do {
            c = upTo('z');
        } while (c < ' ');
        return char(c);
    }

private:
    std::mt19937 generator_;
};

char digit(int value)
{
    return char('0' + value);
}

}  // namespace

QByteArray GeraChave()
{
    KeyDraw draw;
    QByteArray chave(kKeyLength, '\0');
    for (char& c : chave)
        c = draw.filler();

    const int shiftPosition = draw.upTo(4);
    chave[6] = digit(shiftPosition == 0 ? 1 : shiftPosition);
    const int direction = draw.upTo(8);
    chave[5] = digit(direction);
    chave[7] = digit(direction);
    chave[8] = char('A' + direction * draw.upTo(2));
    chave[9] = char('b' + direction * draw.upTo(2));
    const int shift = draw.upTo(2);
    chave[chave[6] - '1'] = digit(shift == 0 ? 4 : shift);
    return chave;
}

QByteArray Embaralha(const QByteArray& texto, const QByteArray& chave)
{
    const int s = scramblingShift(chave);
    if (texto.isEmpty())
        return kMarcaTextoVazio;
    // a single character is scrambled as a pair with a blank
    const QByteArray padded = texto.size() == 1 ? texto + ' ' : texto;
    return pairStep(padded, s);
}

QByteArray Desembaralha(const QByteArray& texto, const QByteArray& chave)
{
    const int s = -scramblingShift(chave);
    if (texto == kMarcaTextoVazio)
        return {};
    // no scrambled text is shorter than 2; a damaged one comes back as it is
    return pairStep(texto, s);
}
