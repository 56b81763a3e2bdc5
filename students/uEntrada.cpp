#include "students/uEntrada.h"

TfEntrada::TfEntrada(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Entrada"));
}
