#pragma once
// The heat map of a student's keys, without widgets: what the characters
// typed with each key of the ABNT2 keyboard cost, and how hot that makes the
// key (its painter gives the colour). An accented letter counts for its
// letter's key and for its dead key; Shift and AltGr are no key of their own
// here.

#include "course/estatisticas.h"

#include <QString>
#include <optional>
#include <vector>

namespace mapa {

enum class Vista { Erros, Velocidade };

// The error rate at which a key is at its hottest (red); below it the heat
// goes down to none (green) at no error.
inline constexpr double kErroVermelho = 0.15;
// A key this many times slower than the target is at its hottest.
inline constexpr double kLentidaoVermelha = 3;

struct FigurasDaTecla {
    // what the characters typed with the key add up to, recent sittings weighing most
    double esperadas = 0;
    double erradas = 0;
    double cronometradas = 0;
    double milissegundos = 0;
    QString caracteres;  // those characters, as the student typed them

    bool conhecida() const { return esperadas > 0; }
    double taxaDeErro() const { return esperadas > 0 ? erradas / esperadas : 0; }
    double msPorToque() const { return cronometradas > 0 ? milissegundos / cronometradas : 0; }
};

// One entry for every key of teclado::abnt2(), in its order.
std::vector<FigurasDaTecla> PorTecla(const estatisticas::TeclasDoAluno& teclas);

// 0 for a sure key up to 1 for the hottest; nothing for a key with nothing
// to tell (never typed, or never timed in the speed view).
std::optional<double> Calor(const FigurasDaTecla& tecla, Vista vista);

// What the key's figures say, for its tooltip; empty for a key never typed.
QString Descricao(const FigurasDaTecla& tecla);

// What the view shows, for the line under the keys.
QString Titulo(Vista vista);
// How to read the colours.
QString Legenda(Vista vista);

}  // namespace mapa
