#pragma once
// The about screen. It exists twice: as the splash shown at start-up and as
// the about box, hidden until it is shown modally.

#include <QDialog>

class Imagem;
class ImagemSvg;
class Moldura;
class QLabel;
class QPushButton;

class TfSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfSobre(QWidget* parent = nullptr);
    ~TfSobre() override;

    // Shows the screen without waiting and paints it before returning.
    void MostraJa();

    // Closing (photograph, "OK", Esc): ends a modal display with the cancel
    // result, or hides the screen.
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormDeactivate();
    void RegraPerdaFoco();
    void criaControles();
    QLabel* criaRotulo(const QString& nome, const QString& texto, QRect caixa, int pixels, bool negrito,
                       const QColor& cor, Qt::Alignment alinhamento);

    Moldura* Panel1;
    Imagem* Image1;
    ImagemSvg* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label7;
    QPushButton* Button1;
    bool fechando_ = false;
};

// The about box; during start-up, first the splash.
extern TfSobre* fSobre;

inline constexpr int kEsperaPerdaFocoMs = 1500;
