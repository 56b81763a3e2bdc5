#pragma once
// What the screens share of their look: colours, fonts (fontes.h), the
// painting of a widget, the focus colours of a box, the buttons' pictures and
// the frame of a fixed-size dialog.

#include "ui/fontes.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QPalette>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QStringList>

class QDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QAction;
class QLineEdit;
class QWidget;

namespace aparencia {

// A push button that answers ENTER, like the space bar, only while it has the
// focus itself, and is never a dialog's default button: ENTER in a list or a
// text of the screen does not press it.
class Botao : public QPushButton {
public:
    explicit Botao(const QString& texto, QWidget* parent = nullptr);
    Botao(const QIcon& figura, const QString& texto, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

inline const QColor kPreto(0x00, 0x00, 0x00);
inline const QColor kBranco(0xFF, 0xFF, 0xFF);
inline const QColor kVermelho(0xFF, 0x00, 0x00);
inline const QColor kLima(0x00, 0xFF, 0x00);
inline const QColor kAzul(0x00, 0x00, 0xFF);
inline const QColor kAmarelo(0xFF, 0xFF, 0x00);
inline const QColor kAgua(0x00, 0xFF, 0xFF);
inline const QColor kMarrom(0x80, 0x00, 0x00);
inline const QColor kVerde(0x00, 0x80, 0x00);
inline const QColor kMarinho(0x00, 0x00, 0x80);
inline const QColor kOliva(0x80, 0x80, 0x00);
inline const QColor kRosaClaro(0xFF, 0xC6, 0xC6);
inline const QColor kVerdeClaro(0x80, 0xFF, 0x80);
inline const QColor kAmareloClaro(0xFF, 0xFF, 0x80);
inline const QColor kAguaClara(0x80, 0xFF, 0xFF);
inline const QColor kFundoTitulo(0xD0, 0xE3, 0xF9);

// the system's colours
QColor faceDeBotao();
QColor textoDeJanela();

void pinta(QWidget* widget, QPalette::ColorRole papel, const QColor& cor);
void pintaFundo(QWidget* widget, const QColor& cor);

// A password box: shows "*" for every character typed.
void mostraAsteriscos(QLineEdit* caixa);

// blue on aqua while the box has the focus, the system's colours otherwise
void coresDeFoco(QLineEdit* caixa);
void coresSemFoco(QLineEdit* caixa);

// the picture of a button: the program's own when it has one, else the style's
QIcon icone(const QString& recurso, int padrao);

// A label of plain text, named nome, at lugar (design size).
QLabel* rotulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto);

// The same in fonte and cor, vertically centred and aligned as asked.
QLabel* rotulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto, const QFont& fonte,
               const QColor& cor, Qt::Alignment alinhamento = Qt::AlignLeft);

// A heading: centred bold text on a sunken pale-blue bar.
QLabel* titulo(QWidget* pai, const QString& nome, const QRect& lugar, const QString& texto, const QFont& fonte,
               const QColor& cor = kMarinho);

// A raised panel filled with cor.
QFrame* painel(QWidget* pai, const QString& nome, const QRect& lugar, const QColor& cor);

// A one-line text box, named nome, at lugar.
QLineEdit* caixaDeTexto(QWidget* pai, const QString& nome, const QRect& lugar);

// A button (Botao) with the program's picture (or the style's), at its place.
QPushButton* botao(QWidget* tela, const QString& nome, const QString& texto, const QRect& lugar,
                   const QString& figura, int padrao);

// A button of a screen whose keys press it: with the program's picture (or
// the style's), at its place, and never taking the focus, which stays in the
// boxes that Tab goes through.
QPushButton* botaoSemFoco(QWidget* tela, const QString& nome, const QString& texto, const QRect& lugar,
                          const QString& figura, int padrao);

// A dialog with a title bar and a close button only, on the button face, in
// its base font and at its design size (fixed once the screen is adapted).
void montaDialogoFixo(QDialog* tela, const QString& nome, const QString& titulo,
                      const QFont& fonteBase, QSize tamanho);

// An item of the screen's context menu whose shortcut works wherever the
// focus is on the screen.
QAction* itemDeMenu(QWidget* tela, const QString& nome, const QString& texto,
                    const QKeySequence& tecla);

// Accepts Esc, so that a screen closed only through its own controls does not
// close on it; true when the key was Esc.
bool seguraEsc(QKeyEvent* event);

}  // namespace aparencia
