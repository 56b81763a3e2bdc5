#pragma once
// Adapting a screen laid out at design size to the width of the display.

class QWidget;

// The display width recorded when the main menu was created.
extern int LarguraTela;

// Scales by LarguraTela / 1280, then picks the base font from the current width.
void AjustaTela(QWidget* tela);

// Scales by the current width / 1024, then picks the base font from it.
void AjustaTela1024(QWidget* tela);
