#pragma once
// The measures of the exercise screen: a line's drawn width in the screen's
// font against the width of its label, and an instruction's word-wrapped
// height against its panel. Needs a QGuiApplication.

#include "tools/fonte_do_curso.h"

MedidaNaTela medidaNaTela();
