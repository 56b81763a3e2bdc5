#include "app/ajusta/uAjusta.h"

int LarguraTela = 0;

void AjustaTela(QWidget*)
{
}

void AjustaTela1024(QWidget*)
{
}
