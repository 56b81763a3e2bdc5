#pragma once
// The colours of the exercise screen.

#include <QColor>

namespace cores {

inline const QColor kMarinho(0x00, 0x00, 0x80);
inline const QColor kAgua(0x00, 0xFF, 0xFF);
inline const QColor kVermelho(0xFF, 0x00, 0x00);
inline const QColor kBranco(0xFF, 0xFF, 0xFF);
inline const QColor kPreto(0x00, 0x00, 0x00);
inline const QColor kAmarelo(0xFF, 0xFF, 0x00);
inline const QColor kRosaClaro(0xFF, 0xC6, 0xC6);
inline const QColor kFundoTitulo(0xD0, 0xE3, 0xF9);
inline const QColor kVerdeClaro(0x80, 0xFF, 0x80);
inline const QColor kAmareloClaro(0xFF, 0xFF, 0x80);
inline const QColor kAguaClara(0x80, 0xFF, 0xFF);

// the system's colours
QColor faceDeBotao();
QColor textoDeJanela();

}  // namespace cores
