#include "students/uCadAlunos.h"

TfCadAlunos::TfCadAlunos(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Alunos"));
}
