// The keyboard drawn on a screen: the heat map's colours of its keys.

#include "ui/aparencia.h"
#include "ui/tecladonatela.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

TEST(TecladoNaTela, TheHeatGoesFromGreenThroughYellowToRedAndAKeyWithoutOneStaysWhite)
{
    const struct {
        std::optional<double> calor;
        int matiz;  // -1: no colour
    } casos[] = {{0, 120}, {0.5, 60}, {1, 0}, {std::nullopt, -1}};
    std::vector<QColor> cores;
    for (const auto& caso : casos) {
        const QColor cor = TecladoNaTela::corDoCalor(caso.calor);
        EXPECT_EQ(cor.isValid() ? cor.hsvHue() : -1, caso.matiz) << caso.calor.value_or(-1);
        cores.push_back(cor);
    }

    TecladoNaTela teclado;
    teclado.mostraCores(cores, std::vector<QString>(cores.size()), QStringLiteral("Erros de cada tecla"));
    EXPECT_EQ(teclado.corDa(0), cores[0]);
    EXPECT_EQ(teclado.corDa(3), aparencia::kBranco);
}

}  // namespace
