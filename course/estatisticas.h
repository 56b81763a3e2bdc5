#pragma once
// What each character costs a student, without widgets: counted line by line
// as the lines are judged, kept in the key statistics file, and read back
// into one figure per character that weighs recent sittings more than old
// ones.
//
// A line judged at ENTER is aligned with the line asked for, as few
// mistakes as possible: a key left out, a key added and a key replaced are
// one mistake each, charged to the character the line asked for there, so
// that one skipped key does not make the rest of the line wrong. Every
// character the typing reached is expected once; those after an early ENTER
// are not counted at all. The time of the keystroke that stood for a
// character, from the keystroke before it in the same line, goes to that
// character, right or wrong; a pause longer than kPausaMaxima is left out.

#include "data/toques.h"

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace estatisticas {

// A key time longer than this is a pause, not slowness of the key.
inline constexpr double kPausaMaximaMs = 5000;
// The speed a sure key reaches, in keystrokes per minute.
inline constexpr double kAlvoTm = 150;
// Each later sitting halves the weight of what an earlier one showed.
inline constexpr double kDesbotamento = 0.5;
// "Teclas a treinar" looks only at characters typed at least this often.
inline constexpr std::uint64_t kMinimoParaTreinar = 20;
inline constexpr int kTeclasATreinar = 5;

// A typed line set against the line asked for.
struct Alinhamento {
    // of the line asked for, how many characters the typing reached (an early ENTER reaches fewer)
    qsizetype alcancadas = 0;
    // for each character reached: the index in the typed line of the key that stood for it, or -1 when it was left out
    std::vector<qsizetype> digitada;
    // for each character reached: left out, replaced, or with a key added just before it
    std::vector<bool> errada;
    // how many reached characters are wrong
    int erros() const;
};

// The alignment with the fewest mistakes; among equals, the one that reaches
// furthest into the line and keeps a key on the character it matches.
Alinhamento Alinha(QByteArrayView pedida, QByteArrayView digitada);

struct Contagem {
    std::uint32_t esperadas = 0;
    std::uint32_t erradas = 0;
    std::uint32_t cronometradas = 0;
    std::uint32_t milissegundos = 0;
};

// The count of one sitting, character by character (Windows-1252 bytes).
class ContagemDaSessao {
public:
    // One line judged: asked what the line asked for, typed the field's
    // characters, and momentos the time of day at which each of them went in.
    void contaLinha(QByteArrayView pedida, QByteArrayView digitada, std::span<const double> momentos);
    const Contagem& de(char caractere) const { return contagens_[static_cast<unsigned char>(caractere)]; }
    // One record for every character counted, in code order.
    std::vector<tToque> registros(std::int32_t codAluno, double sessao, OrigemDoToque origem) const;
    void esvazia() { contagens_ = {}; }

private:
    std::array<Contagem, 256> contagens_{};
};

// One character of one student: what all the records add up to, and the
// same weighed by the sittings' age.
struct FigurasDoCaractere {
    std::uint64_t esperadas = 0;
    std::uint64_t erradas = 0;
    std::uint64_t cronometradas = 0;
    std::uint64_t milissegundos = 0;
    double pesoEsperadas = 0;
    double pesoErradas = 0;
    double pesoCronometradas = 0;
    double pesoMilissegundos = 0;

    bool conhecida() const { return esperadas > 0; }
    // of the recent sittings mostly: wrong among expected, 0 to 1
    double taxaDeErro() const;
    // the mean time of a keystroke; 0 when none was timed
    double msPorToque() const;
    // how sure the key is, 0 to 1: the accuracy to the fourth power (a key
    // wrong one time in ten weighs as much as one 35% slower) times the speed
    // against kAlvoTm, at most 1; a key never timed counts at half speed, one
    // timed at no time at all as fast
    double confianca() const;
};

// A student's figures, record after record in file order.
class TeclasDoAluno {
public:
    void soma(const tToque& registro);
    // A sitting begins that no record has yet (a practice under way): what
    // came before counts as one sitting older.
    void comecaSessao();
    FigurasDoCaractere figuras(char caractere) const;
    // the characters with any record, in code order
    std::vector<char> conhecidas() const;

private:
    void novaSessao();

    // the weights are kept in units that grow by 1 / kDesbotamento with each
    // sitting, so that a record adds to them without fading what came before;
    // figuras() divides by escala_
    std::array<FigurasDoCaractere, 256> caracteres_{};
    double escala_ = 1;
    double ultimaSessao_ = -1;
    bool algumaSessao_ = false;
};

// The figures of the students numbered, in their order, from one pass over
// the key statistics file.
std::vector<TeclasDoAluno> TeclasDosAlunos(const std::vector<std::int32_t>& codigos);

// The characters with the lowest confidence among those expected at least
// kMinimoParaTreinar times, worst first, at most kTeclasATreinar. Blanks and
// characters no keyboard types (control characters) are left out.
std::vector<QChar> TeclasATreinar(const TeclasDoAluno& teclas);
// The same as one text, the characters apart by single blanks: "ç ã ~ p ,".
QString TextoDasTeclasATreinar(const TeclasDoAluno& teclas);

}  // namespace estatisticas
