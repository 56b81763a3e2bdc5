// The heat map's model: which key a character's figures go to, and how hot
// they make it.

#include "students/mapa.h"
#include "ui/teclado.h"

#include "support/rawrecords.h"

#include <gtest/gtest.h>

namespace {

estatisticas::TeclasDoAluno teclas(const std::vector<tToque>& registros)
{
    estatisticas::TeclasDoAluno t;
    for (const tToque& r : registros)
        t.soma(r);
    return t;
}

const mapa::FigurasDaTecla& daTecla(const std::vector<mapa::FigurasDaTecla>& mapa, const char* nome)
{
    return mapa[size_t(teclado::teclaChamada(QString::fromUtf8(nome)))];
}

// "ã" is typed with the tilde's dead key and the A: both carry its figures.
TEST(Mapa, ADeadKeyLetterCountsOnItsLetterAndOnItsAccent)
{
    const auto porTecla =
        mapa::PorTecla(teclas({storedKeyCount('a', 10, 0, 300), storedKeyCount('\xE3', 10, 5, 300)}));
    const int til = teclado::teclaChamada(QStringLiteral("~"));
    ASSERT_GE(til, 0);
    EXPECT_EQ(porTecla[size_t(til)].esperadas, 10);
    EXPECT_EQ(porTecla[size_t(til)].erradas, 5);
    EXPECT_EQ(daTecla(porTecla, "A").esperadas, 20);
    EXPECT_EQ(daTecla(porTecla, "A").caracteres, QStringLiteral("aã"));
    EXPECT_FALSE(daTecla(porTecla, "Q").conhecida());
}

TEST(Mapa, NoHeatForASureKeyAllForAnErrorOrSlowOneNothingForAKeyNeverTyped)
{
    struct Caso {
        tToque registro;
        mapa::Vista vista;
        std::optional<double> calor;
    } casos[] = {
        {storedKeyCount('a', 100, 0, 300), mapa::Vista::Erros, 0},
        {storedKeyCount('a', 200, 15, 300), mapa::Vista::Erros, 0.5},
        {storedKeyCount('a', 100, 15, 300), mapa::Vista::Erros, 1},
        {storedKeyCount('a', 100, 40, 300), mapa::Vista::Erros, 1},
        {storedKeyCount('a', 100, 0, 400), mapa::Vista::Velocidade, 0},   // at the target speed
        {storedKeyCount('a', 100, 0, 800), mapa::Vista::Velocidade, 0.5},  // twice as slow
        {storedKeyCount('a', 100, 0, 1200), mapa::Vista::Velocidade, 1},  // three times slower
        {storedKeyCount('a', 0, 0, 0), mapa::Vista::Erros, std::nullopt},
    };
    for (const Caso& caso : casos) {
        const std::optional<double> calor =
            mapa::Calor(daTecla(mapa::PorTecla(teclas({caso.registro})), "A"), caso.vista);
        ASSERT_EQ(calor.has_value(), caso.calor.has_value()) << caso.registro.Erradas;
        if (calor) {
            EXPECT_NEAR(*calor, *caso.calor, 1e-9) << caso.registro.Erradas << " " << caso.registro.Milissegundos;
        }
    }
}

}  // namespace
