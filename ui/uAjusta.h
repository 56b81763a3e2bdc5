#pragma once
// Adapting a screen laid out at design size to the width of the display.
//
// Scaling a screen by M/D multiplies its client size and every control's
// position and size by M/D, and every font size that is set explicitly: the
// screen's own font (the base font its controls take unless they set one) and
// each control's font whose size the control sets for itself, and the
// pictures of the buttons. Sizes are rounded to whole pixels (or whole points
// for a font set in points).

class QWidget;

// The display width recorded when the main menu was created.
extern int LarguraTela;

// Scales by LarguraTela / 1280, lets pending events run, then picks the base
// font from the current display width; last, every text is fitted to its
// control (AjustaTexto).
void AjustaTela(QWidget* tela);

// Scales by the current display width / 1024, then picks the base font from
// it; last, every text is fitted to its control (AjustaTexto).
void AjustaTela1024(QWidget* tela);

// Makes the one-line text of a control (label, button, field, date picker,
// group title) read whole and legible: it is drawn in its own size, but never
// in one whose capitals stand under 8 pixels. Where it does not fit, a label
// without a background or a frame and a date picker grow into the free room
// beside, above and below them, a button into the room beside it; a label
// that still does not fit breaks into two lines (a layout gives a label its
// lines' height); what still does not fit is drawn smaller, down to the
// legible size. Only a text with no room at all for that goes smaller still,
// whole. The type and the single line come back, up to the control's own
// size, when a shorter text comes.
void AjustaTexto(QWidget* controle);

// AjustaTexto for every control of the screen, row by row from the left, so
// that a control grows into the room its neighbour left; the tabs of a page
// control shrink together until they all show, down to the legible size.
void AjustaTextos(QWidget* tela);

// The base font size, in points, that each variant sets for a display width;
// 0 where the width lies outside every band and the scaled size stays.
int TamanhoFonteAjustaTela(int largura);
int TamanhoFonteAjustaTela1024(int largura);

// Pixel height of a font size in points on the 96-dpi grid the screens are
// designed on (7 pt = 9 px, 8 pt = 11 px, 10 pt = 13 px).
int PixelsDosPontos(int pontos);
