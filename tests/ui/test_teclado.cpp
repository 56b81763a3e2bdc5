// The ABNT2 keyboard's map: where every character is typed, with which
// strokes and fingers.

#include "ui/teclado.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using namespace teclado;

QString legenda(const Toque& toque)
{
    const Tecla& tecla = abnt2()[size_t(toque.tecla)];
    switch (toque.modificador) {
    case Modificador::Nenhum: return tecla.base;
    case Modificador::Shift: return tecla.comShift;
    case Modificador::AltGr: return tecla.comAltGr;
    }
    return {};
}

// Each character's last stroke is on a key that shows it, or, after a dead
// key, on the key of its letter without the accent (a lone accent: the space).
TEST(Teclado, EveryCharacterIsOnTheKeyItsStrokesName)
{
    for (const auto& [c, digitacao] : caracteres()) {
        SCOPED_TRACE(QString(c).toStdString());
        ASSERT_GE(digitacao.toque.tecla, 0);
        if (!digitacao.morta) {
            EXPECT_EQ(legenda(digitacao.toque), QString(c));
            continue;
        }
        EXPECT_TRUE(abnt2()[size_t(digitacao.morta->tecla)].morta || legenda(*digitacao.morta) == u"¨");
        const QString semAcento = c.decomposition().isEmpty() ? QStringLiteral(" ") : c.decomposition().left(1);
        EXPECT_EQ(legenda(digitacao.toque), semAcento);
    }
}

TEST(Teclado, StrokesFingersAndTheOtherHandsShift)
{
    const struct {
        QChar c;
        QStringList primeiro;  // the keys of the first stroke; empty: none before the last
        QStringList ultimo;
        const char* dica;      // of the first stroke
    } casos[] = {
        {u'f', {}, {"F"}, "F: indicador esquerdo"},
        {u'F', {}, {"F", "Shift direito"}, "F: indicador esquerdo + Shift direito: mínimo direito"},
        {u'P', {}, {"P", "Shift"}, "P: mínimo direito + Shift: mínimo esquerdo"},
        {u'ç', {}, {"Ç"}, "Ç: mínimo direito"},
        {u'Ç', {}, {"Ç", "Shift"}, "Ç: mínimo direito + Shift: mínimo esquerdo"},
        {u'ã', {"~"}, {"A"}, "~: mínimo direito"},
        {u'Ã', {"~"}, {"A", "Shift direito"}, "~: mínimo direito"},
        {u'ê', {"~", "Shift"}, {"E"}, "~: mínimo direito + Shift: mínimo esquerdo"},
        {u'à', {"´", "Shift"}, {"A"}, "´: mínimo direito + Shift: mínimo esquerdo"},
        {u'ü', {"6", "Shift"}, {"U"}, "6: indicador direito + Shift: mínimo esquerdo"},
        {u'^', {"~", "Shift"}, {"Espaço"}, "~: mínimo direito + Shift: mínimo esquerdo"},
        {u'/', {}, {"/"}, "/: mínimo direito"},
        {u'?', {}, {"/", "Shift"}, "/: mínimo direito + Shift: mínimo esquerdo"},
        {u'°', {}, {"E", "AltGr"}, "E: médio esquerdo + AltGr: polegar"},
        {u'1', {}, {"1"}, "1: mínimo esquerdo"},
        {u'5', {}, {"5"}, "5: indicador esquerdo"},
        {u'6', {}, {"6"}, "6: indicador direito"},
        {u'0', {}, {"0"}, "0: mínimo direito"},
        {u'=', {}, {"="}, "=: mínimo direito"},
        {u' ', {}, {"Espaço"}, "Espaço: polegar"},
    };
    const auto nomes = [](const std::vector<int>& teclas) {
        QStringList lista;
        for (const int t : teclas)
            lista << abnt2()[size_t(t)].nome;
        return lista;
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(QString(caso.c).toStdString());
        const std::optional<Digitacao> d = digitacaoDe(caso.c);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->morta ? nomes(teclasDoToque(*d->morta)) : QStringList(), caso.primeiro);
        EXPECT_EQ(nomes(teclasDoToque(d->toque)), caso.ultimo);
        EXPECT_EQ(guiaPara(caso.c, false).dica, QString::fromUtf8(caso.dica));
    }
}

TEST(Teclado, AfterTheDeadKeyTheLetterAndAtTheLinesEndEnter)
{
    EXPECT_EQ(guiaPara(u'ã', true).teclas, std::vector<int>{teclaChamada(QStringLiteral("A"))});
    EXPECT_EQ(guiaPara(std::nullopt, false).teclas, std::vector<int>{teclaChamada(QStringLiteral("Enter"))});
    EXPECT_TRUE(guiaPara(QChar(0x4E2D), false).teclas.empty());
}

// The keyboard's rows are as wide as each other, and its keys do not overlap;
// the home row ends where the Enter key, two rows high, comes down.
TEST(Teclado, TheRowsLieSideBySideAndEndTogether)
{
    double fim[5] = {};
    for (const Tecla& tecla : abnt2()) {
        EXPECT_DOUBLE_EQ(tecla.x, fim[tecla.linha]) << tecla.nome.toStdString();
        fim[tecla.linha] = tecla.x + tecla.largura;
    }
    EXPECT_EQ(std::vector<double>(fim, fim + 5), (std::vector<double>{15, 15, 13.75, 15, 15}));
}

// Every character of the course's lines can be typed on the keyboard.
TEST(Teclado, EveryCharacterOfTheCourseHasItsStrokes)
{
    QFile curso(QStringLiteral(QUIRAVO_CURSO));
    ASSERT_TRUE(curso.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QChar> faltam;
    while (!curso.atEnd()) {
        const QString linha = QString::fromUtf8(curso.readLine()).chopped(1);
        if (!linha.startsWith(QStringLiteral("linha ")))
            continue;
        for (const QChar c : linha.mid(6)) {
            if (!digitacaoDe(c))
                faltam.insert(c);
        }
    }
    for (const QChar c : faltam)
        ADD_FAILURE() << "no strokes for " << QString(c).toStdString();
}

}  // namespace
