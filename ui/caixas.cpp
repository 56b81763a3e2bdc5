#include "ui/caixas.h"

#include "ui/aparencia.h"

#include <QFrame>
#include <QLabel>

using namespace aparencia;

QLabel* caixaDeValor(QWidget* tela, const QRect& moldura, int larguraTitulo, const QString& titulo,
                     const QString& nomeValor, int pixelsDoValor)
{
    auto* frame = new QFrame(tela);
    frame->setGeometry(moldura);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto* cabeca = new QLabel(titulo, tela);
    cabeca->setGeometry(moldura.left() + 4, moldura.top() + 4, larguraTitulo, 11);
    cabeca->setFont(arial(9, true));
    cabeca->setAlignment(Qt::AlignCenter);
    pinta(cabeca, QPalette::WindowText, kBranco);
    pintaFundo(cabeca, kVermelho);

    auto* valor = new QLabel(tela);
    valor->setObjectName(nomeValor);
    valor->setGeometry(moldura.left() + 4, moldura.top() + 16, moldura.width() - 8, moldura.height() - 20);
    valor->setTextFormat(Qt::PlainText);
    valor->setFont(arial(pixelsDoValor, true));
    valor->setAlignment(Qt::AlignCenter);
    pinta(valor, QPalette::WindowText, kMarinho);
    pintaFundo(valor, kBranco);
    return valor;
}
