// The heat map's model: which key a character's figures go to, and the
// colour that tells them.

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

TEST(Mapa, GreenForASureKeyRedForAnErrorOrSlowOneNothingForAKeyNeverTyped)
{
    struct Caso {
        tToque registro;
        mapa::Vista vista;
        int matiz;  // -1: no colour
    } casos[] = {
        {storedKeyCount('a', 100, 0, 300), mapa::Vista::Erros, 120},
        {storedKeyCount('a', 100, 15, 300), mapa::Vista::Erros, 0},
        {storedKeyCount('a', 100, 40, 300), mapa::Vista::Erros, 0},
        {storedKeyCount('a', 100, 0, 400), mapa::Vista::Velocidade, 120},  // at the target speed
        {storedKeyCount('a', 100, 0, 1200), mapa::Vista::Velocidade, 0},   // three times slower
        {storedKeyCount('a', 0, 0, 0), mapa::Vista::Erros, -1},
    };
    for (const Caso& caso : casos) {
        const QColor cor = mapa::Cor(daTecla(mapa::PorTecla(teclas({caso.registro})), "A"), caso.vista);
        EXPECT_EQ(cor.isValid() ? cor.hsvHue() : -1, caso.matiz) << caso.registro.Erradas << " "
                                                                 << caso.registro.Milissegundos;
    }
}

}  // namespace
