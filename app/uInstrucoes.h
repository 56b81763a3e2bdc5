#pragma once
// The instructions screen: seven pages of help text.

#include <QDialog>
#include <array>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

class TfInstrucoes : public QDialog {
    Q_OBJECT
public:
    explicit TfInstrucoes(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void criaPaginas();
    void mostraTecladoNaPagina(QWidget* pagina, QPlainTextEdit* memo);
    void criaBotoes();
    void BitBtn1Click();
    void BitBtn2Click();

    QTabWidget* PageControl1;
    std::array<QPlainTextEdit*, 7> Memos{};
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

// The instructions screen while it is open.
extern TfInstrucoes* fInstrucoes;
