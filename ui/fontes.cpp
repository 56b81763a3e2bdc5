#include "ui/fontes.h"

namespace aparencia {

QFont fonte(const QStringList& familias, int pixels, bool negrito)
{
    QFont resultado;
    resultado.setFamilies(familias);
    resultado.setStyleHint(QFont::SansSerif);
    resultado.setPixelSize(pixels);
    resultado.setBold(negrito);
    return resultado;
}

QFont arial(int pixels, bool negrito)
{
    return fonte({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pixels, negrito);
}

QFont impact(int pixels, bool negrito)
{
    return fonte({QStringLiteral("Impact"), QStringLiteral("Liberation Sans Narrow"),
                  QStringLiteral("DejaVu Sans Condensed")},
                 pixels, negrito);
}

QFont msSansSerif(int pixels, bool negrito)
{
    return fonte({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                  QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                 pixels, negrito);
}

QFont fonteDaLinha()
{
    return msSansSerif(15, true);
}

QFont fonteDaInstrucao()
{
    return arial(13);
}

}  // namespace aparencia
