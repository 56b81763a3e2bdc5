#include "platform/preferencias.h"

#include <QSettings>
#include <QVariant>
#include <optional>

namespace {

const QString kTecladoVisivel = QStringLiteral("exercicio/tecladoVisivel");

struct Seam {
    bool installed = false;
    std::optional<bool> tecladoVisivel;
};

Seam& seam()
{
    static Seam s;
    return s;
}

QSettings conta()
{
    return QSettings(QStringLiteral("Quiravo"), QStringLiteral("Quiravo"));
}

}  // namespace

namespace preferencias {

bool tecladoVisivel()
{
    if (seam().installed)
        return seam().tecladoVisivel.value_or(true);
    return conta().value(kTecladoVisivel, true).toBool();
}

void guardaTecladoVisivel(bool visivel)
{
    if (seam().installed) {
        seam().tecladoVisivel = visivel;
        return;
    }
    conta().setValue(kTecladoVisivel, visivel);
}

}  // namespace preferencias

namespace preferenciasseam {

void install()
{
    seam() = Seam{true, std::nullopt};
}

void uninstall()
{
    seam() = Seam{};
}

}  // namespace preferenciasseam
