#include "platform/preferences.h"

#include <QSettings>
#include <QVariant>
#include <optional>

namespace {

const QString kKeyboardShownKey = QStringLiteral("exercicio/tecladoVisivel");

struct Seam {
    bool installed = false;
    std::optional<bool> keyboardShown;
};

Seam& seam()
{
    static Seam s;
    return s;
}

QSettings userSettings()
{
    return QSettings(QStringLiteral("Quiravo"), QStringLiteral("Quiravo"));
}

}  // namespace

namespace preferences {

bool keyboardShown()
{
    if (seam().installed)
        return seam().keyboardShown.value_or(true);
    return userSettings().value(kKeyboardShownKey, true).toBool();
}

void setKeyboardShown(bool shown)
{
    if (seam().installed) {
        seam().keyboardShown = shown;
        return;
    }
    userSettings().setValue(kKeyboardShownKey, shown);
}

}  // namespace preferences

namespace preferencesseam {

void install()
{
    seam() = Seam{true, std::nullopt};
}

void uninstall()
{
    seam() = Seam{};
}

}  // namespace preferencesseam
