#include "app/uPrin.h"

TfPrin::TfPrin(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("fPrin"));
    setWindowTitle(QStringLiteral("Quiravo"));
    resize(594, 324);
}
