#include "ui/caixas.h"

#include "ui/aparencia.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

using namespace aparencia;

namespace {

constexpr int kMargem = 3;  // the panel's bevel and two pixels of its face

}  // namespace

QLabel* caixaDeValor(QWidget* tela, const QRect& moldura, const QString& titulo, const QString& nomeValor,
                     int pixelsDoValor)
{
    auto* frame = new QFrame(tela);
    frame->setGeometry(moldura);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto* cabeca = new QLabel(titulo, frame);
    cabeca->setTextFormat(Qt::PlainText);
    cabeca->setFont(arial(9, true));
    cabeca->setAlignment(Qt::AlignCenter);
    pinta(cabeca, QPalette::WindowText, kBranco);
    pintaFundo(cabeca, kVermelho);

    auto* valor = new QLabel(frame);
    valor->setObjectName(nomeValor);
    valor->setTextFormat(Qt::PlainText);
    valor->setFont(arial(pixelsDoValor, true));
    valor->setAlignment(Qt::AlignCenter);
    // the value fits its text into the room the title leaves
    valor->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pinta(valor, QPalette::WindowText, kMarinho);
    pintaFundo(valor, kBranco);

    auto* layout = new QVBoxLayout(frame);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(kMargem, kMargem, kMargem, kMargem);
    layout->setSpacing(1);
    layout->addWidget(cabeca);
    layout->addWidget(valor, 1);
    return valor;
}
