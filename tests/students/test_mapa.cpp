// The heat map's model: which key a character's figures go to, and the
// colour that tells them.

#include "students/mapa.h"
#include "ui/teclado.h"

#include <gtest/gtest.h>

namespace {

tToque toque(char caractere, std::uint32_t esperadas, std::uint32_t erradas, std::uint32_t msPorToque)
{
    tToque r{};
    r.Caractere = std::uint8_t(caractere);
    r.Esperadas = esperadas;
    r.Erradas = erradas;
    r.Cronometradas = esperadas;
    r.Milissegundos = esperadas * msPorToque;
    return r;
}

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
    const auto porTecla = mapa::PorTecla(teclas({toque('a', 10, 0, 300), toque('\xE3', 10, 5, 300)}));
    const int til = teclado::teclaChamada(QStringLiteral("~"));
    ASSERT_GE(til, 0);
    EXPECT_EQ(porTecla[size_t(til)].esperadas, 10);
    EXPECT_EQ(porTecla[size_t(til)].erradas, 5);
    EXPECT_EQ(daTecla(porTecla, "A").esperadas, 20);
    EXPECT_EQ(daTecla(porTecla, "A").caracteres, QStringLiteral("aã"));
    EXPECT_FALSE(daTecla(porTecla, "Q").conhecida());
}

TEST(Mapa, GreenForASureKeyRedForAnErrorOrSlowOneNothingForAKeyNeverTyped)
{
    struct Caso {
        tToque registro;
        mapa::Vista vista;
        int matiz;  // -1: no colour
    } casos[] = {
        {toque('a', 100, 0, 300), mapa::Vista::Erros, 120},
        {toque('a', 100, 15, 300), mapa::Vista::Erros, 0},
        {toque('a', 100, 40, 300), mapa::Vista::Erros, 0},
        {toque('a', 100, 0, 400), mapa::Vista::Velocidade, 120},   // at the target speed
        {toque('a', 100, 0, 1200), mapa::Vista::Velocidade, 0},   // three times slower
        {toque('a', 0, 0, 0), mapa::Vista::Erros, -1},
    };
    for (const Caso& caso : casos) {
        const QColor cor = mapa::Cor(daTecla(mapa::PorTecla(teclas({caso.registro})), "A"), caso.vista);
        EXPECT_EQ(cor.isValid() ? cor.hsvHue() : -1, caso.matiz) << caso.registro.Erradas << " "
                                                                 << caso.registro.Milissegundos;
    }
}

}  // namespace
