#include "course/notas.h"

#include <QDir>

QString ArquivoDaNota(char caractere)
{
    const char* nota = nullptr;
    switch (caractere) {
    case 'C': case 'c': nota = "do5"; break;
    case 'D': case 'd': nota = "re5"; break;
    case 'E': case 'e': nota = "mi5"; break;
    case 'F': case 'f': nota = "fa5"; break;
    case 'G': case 'g': nota = "sol5"; break;
    case 'A': case 'a': nota = "la5"; break;
    case 'B': case 'b': nota = "si5"; break;
    default: return {};
    }
    return QDir::toNativeSeparators(QStringLiteral("notas/%1.wav").arg(QLatin1String(nota)));
}
