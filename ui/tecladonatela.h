#pragma once
// The ABNT2 keyboard drawn on a screen: every key at its place with its
// legends, coloured by the finger that presses it, the home-row bumps on F
// and J, and under the keys a line that names the fingers. It lights the keys
// of the next stroke, or shows the note keys of the musical keyboard.

#include "ui/teclado.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class TecladoNaTela : public QWidget {
    Q_OBJECT
public:
    // Its size at design size: as wide as the exercise screen's panels.
    static constexpr QSize kTamanhoProjeto{621, 228};

    explicit TecladoNaTela(QWidget* pai = nullptr);

    // Lights the keys of the guide, puts out the others, and names the
    // fingers under the keys. Only the keys that change are drawn again.
    void mostraGuia(const teclado::Guia& guia);
    // The guide to the next character of a line being typed (ENTER at its
    // end), with the reminder that F4 puts the keyboard away.
    void mostraProximo(std::optional<QChar> proximo, bool mortaDigitada);

    // The last row of a typing screen, under `acima` (its status line), once
    // the screen has its full size: shown or not as this computer last chose.
    // Hidden, the screen ends with `acima`.
    void ficaAbaixoDe(const QWidget* acima);
    // F4 on such a screen: shows or hides the keyboard, and keeps the choice
    // for the next screens.
    void alterna();
    // The musical keyboard: the seven note keys carry their notes' names.
    void mostraNotas();
    // Nothing lit: the colours say which finger presses each key.
    void mostraDedos();
    // Each key in its colour (one for every key of teclado::abnt2(); an
    // invalid one leaves the key white), its text shown where the mouse
    // rests on it, and the legend under the keys.
    void mostraCores(std::vector<QColor> cores, std::vector<QString> textos, const QString& legenda);

    // The colour of a finger's keys.
    static QColor corDoDedo(teclado::Dedo dedo);
    // The heat map's colour of a key: green for no heat (0) through yellow
    // to red at the hottest (1); invalid for a key without a heat.
    static QColor corDoCalor(std::optional<double> calor);
    // Where the key lies on the widget as it is now.
    QRectF lugarDa(int tecla) const;
    const std::vector<int>& acesas() const { return acesas_; }
    const QString& dica() const { return dica_; }
    // The key at a point of the widget; -1 where there is none.
    int teclaEm(const QPointF& ponto) const;
    // The colour the key is painted in.
    QColor corDa(int tecla) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // a key drawn in one of its looks: the picture, where it goes, and the
    // pixels it paints there
    struct Imagem {
        QPixmap imagem;
        QPoint canto;
        QRect tinta;
    };
    // a text under the keys: the pixels it may touch and, where no key
    // reaches them, its picture on the background it lies on
    struct Dica {
        QRect area;
        bool soFundo = true;
        QPixmap imagem;
        QColor fundo;
    };

    void mostraNaTela(bool visivel);
    double unidade() const;
    double margem() const;
    QRect areaDa(int tecla) const;
    QRectF lugarDaDica() const;
    QFont fonteDaDica() const;
    Dica dicaPosta(const QString& texto) const;
    std::optional<QColor> fundoLiso() const;
    const Imagem& imagemDa(int tecla, bool acesa) const;
    static QRect pixelsPintados(const QImage& imagem);
    Dica& dicaDe(const QString& texto) const;
    Imagem desenhada(int tecla, bool acesa) const;
    void desenhaTecla(QPainter& pintor, int tecla, bool acesa) const;
    void desenhaLegendas(QPainter& pintor, const teclado::Tecla& tecla, const QRectF& lugar) const;
    void desenhaDica(QPainter& pintor, Dica& dica, const QString& texto) const;
    void escreveDica(QPainter& pintor, const QString& texto) const;

    std::vector<int> acesas_;
    QString dica_;
    bool notas_ = false;
    // each key drawn in the looks it has had, by key, lit and notes shown
    mutable QHash<int, Imagem> imagens_;
    // the texts under the keys shown so far
    mutable QHash<QString, Dica> dicas_;
    const QWidget* acima_ = nullptr;  // on a typing screen: its status line
    int alturaDaTela_ = 0;            // the screen's height with the keyboard shown
    std::vector<QColor> cores_;  // the heat map's; empty: the fingers' colours
    std::vector<QString> textos_;
};
