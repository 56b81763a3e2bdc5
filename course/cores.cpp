#include "course/cores.h"

#include <QApplication>
#include <QPalette>

namespace cores {

QColor faceDeBotao()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor textoDeJanela()
{
    return QApplication::palette().color(QPalette::WindowText);
}

}  // namespace cores
