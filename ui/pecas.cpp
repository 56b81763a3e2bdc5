#include "ui/pecas.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

Imagem::Imagem(QWidget* parent)
    : QWidget(parent)
{
}

void Imagem::setImagem(const QImage& imagem)
{
    imagem_ = imagem;
    escalada_ = QPixmap();
    update();
}

// The picture is scaled once per size of the widget; a repaint only copies it.
void Imagem::paintEvent(QPaintEvent*)
{
    if (imagem_.isNull())
        return;
    const qreal escala = devicePixelRatioF();
    const QSize pixels = size() * escala;
    if (escalada_.size() != pixels) {
        escalada_ = QPixmap::fromImage(imagem_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        escalada_.setDevicePixelRatio(escala);
    }
    QPainter pintor(this);
    pintor.drawPixmap(0, 0, escalada_);
}

void Imagem::mousePressEvent(QMouseEvent* event)
{
    pressionado_ = event->button() == Qt::LeftButton;
}

void Imagem::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clique = pressionado_ && event->button() == Qt::LeftButton
                        && rect().contains(event->position().toPoint());
    pressionado_ = false;
    if (clique)
        emit clicado();
}

ImagemSvg::ImagemSvg(const QString& arquivo, QWidget* parent)
    : QWidget(parent)
    , renderer_(new QSvgRenderer(arquivo, this))
{
    renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);
}

void ImagemSvg::paintEvent(QPaintEvent*)
{
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&pintor, rect());
}

Moldura::Moldura(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void Moldura::adicionaBorda(Borda tipo, int largura)
{
    bordas_.push_back({tipo, tipo == Borda::Linha ? 1 : largura});
}

void Moldura::setPreenchimento(QWidget* conteudo)
{
    conteudo_ = conteudo;
    const int e = espessura();
    conteudo_->setGeometry(rect().adjusted(e, e, -e, -e));
}

int Moldura::espessura() const
{
    int total = 0;
    for (const Aresta& a : bordas_)
        total += a.largura;
    return total;
}

void Moldura::paintEvent(QPaintEvent*)
{
    QPainter pintor(this);
    QRect r = rect();
    const QColor claro = palette().color(QPalette::Light);
    const QColor escuro = palette().color(QPalette::Dark);
    for (const Aresta& a : bordas_) {
        for (int i = 0; i < a.largura; ++i) {
            QColor alto = claro;
            QColor baixo = escuro;
            if (a.tipo == Borda::Linha)
                alto = baixo = palette().color(QPalette::WindowText);
            else if (a.tipo == Borda::Rebaixada)
                std::swap(alto, baixo);
            // right() and bottom() are the last pixels inside the rectangle
            pintor.setPen(alto);
            pintor.drawLine(r.topLeft(), r.topRight());
            pintor.drawLine(r.topLeft(), r.bottomLeft());
            pintor.setPen(baixo);
            pintor.drawLine(r.bottomLeft(), r.bottomRight());
            pintor.drawLine(r.topRight(), r.bottomRight());
            r.adjust(1, 1, -1, -1);
        }
    }
}

void Moldura::resizeEvent(QResizeEvent*)
{
    if (conteudo_) {
        const int e = espessura();
        conteudo_->setGeometry(rect().adjusted(e, e, -e, -e));
    }
}

void CentraNaTela(QWidget* janela)
{
    const QScreen* tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    QRect area = janela->frameGeometry();
    area.moveCenter(tela->availableGeometry().center());
    janela->move(area.topLeft());
}
