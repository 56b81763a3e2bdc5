#pragma once
// Small controls the shell's screens are built from: a picture stretched to
// its box, a vector picture, and a panel with bevels that its picture fills.

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

class QSvgRenderer;

// A picture stretched to fill the control. A click on it (press and release
// inside) emits clicado().
class Imagem : public QWidget {
    Q_OBJECT
public:
    explicit Imagem(QWidget* parent = nullptr);
    void setImagem(const QImage& imagem);

signals:
    void clicado();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage imagem_;
    QPixmap escalada_;  // the picture at the widget's size, made at its first paint
    bool pressionado_ = false;
};

// A vector picture stretched to fill the control, transparent around it.
class ImagemSvg : public QWidget {
    Q_OBJECT
public:
    ImagemSvg(const QString& arquivo, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};

// A panel that fills its window, drawn as a sequence of edges from the outside
// in; its filling control always covers what lies inside the edges.
class Moldura : public QWidget {
    Q_OBJECT
public:
    enum class Borda { Linha, Elevada, Rebaixada };

    explicit Moldura(QWidget* parent = nullptr);
    // Each edge is a line of 1 px or a bevel of the given width.
    void adicionaBorda(Borda tipo, int largura);
    void setPreenchimento(QWidget* conteudo);
    int espessura() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Aresta {
        Borda tipo;
        int largura;
    };
    std::vector<Aresta> bordas_;
    QWidget* conteudo_ = nullptr;
};

// Places a window in the middle of the screen it is on.
void CentraNaTela(QWidget* janela);
