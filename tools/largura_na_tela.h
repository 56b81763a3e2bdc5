#pragma once
// The measure of a line on the exercise screen: its drawn width in the
// screen's font, against the width of its label. Needs a QGuiApplication.

#include "tools/course_source.h"

MedidaDaLinha medidaNaTela();
