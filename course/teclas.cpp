#include "course/teclas.h"

#include <QKeyEvent>

namespace teclas {

namespace {

bool comCtrl(const QKeyEvent& event)
{
    return event.modifiers().testFlag(Qt::ControlModifier);
}

bool comAlt(const QKeyEvent& event)
{
    return event.modifiers().testFlag(Qt::AltModifier);
}

bool ehLetra(int key)
{
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

bool ehImprimivel(QChar c)
{
    return c.unicode() >= 32 && c.unicode() != 127;
}

}  // namespace

int codigoDaTecla(const QKeyEvent& event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Backspace: return Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Insert: return Insert;
    case Qt::Key_Delete: return Delete;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || ehLetra(key))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    return 0;
}

bool ehTeclaMorta(const QKeyEvent& event)
{
    return event.key() >= Qt::Key_Dead_Grave && event.key() <= Qt::Key_Dead_Longsolidusoverlay;
}

bool moveFoco(const QKeyEvent& event)
{
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    return tab && !comCtrl(event) && !comAlt(event);
}

QString caracteresDaTecla(const QKeyEvent& event)
{
    const int key = event.key();
    const bool ctrl = comCtrl(event);
    const bool alt = comAlt(event);
    switch (key) {
    case Qt::Key_Backspace: return alt ? QString() : QString(QChar(8));
    case Qt::Key_Return:
    case Qt::Key_Enter: return alt ? QString() : QString(QChar(13));
    case Qt::Key_Escape: return QString(QChar(27));
    case Qt::Key_Delete:
    case Qt::Key_Insert: return {};
    }
    if (ctrl && !alt)  // Ctrl with Alt is AltGr on some keyboards: its text counts
        return ehLetra(key) ? QString(QChar(key - Qt::Key_A + 1)) : QString();
    if ((alt && !ctrl) || event.modifiers().testFlag(Qt::MetaModifier))
        return {};
    return imprimiveis(event.text());
}

QString imprimiveis(const QString& texto)
{
    QString resultado;
    for (QChar c : texto) {
        if (ehImprimivel(c))
            resultado += c;
    }
    return resultado;
}

}  // namespace teclas
