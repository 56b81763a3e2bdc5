#include "course/uExercicio.h"

#include <QLabel>

TfExercicio::TfExercicio(QWidget* parent)
    : QDialog(parent), lbNome(new QLabel(this)), lbUltimaData(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Exercícios de digitação"));
}

void TfExercicio::MostraExercicio()
{
}
