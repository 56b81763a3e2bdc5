#pragma once
// The class report on the screen: its pages as they will be printed, and the
// ways out: printing through the system's printers, or saving it as PDF or CSV.

#include "students/desempenho.h"

#include <QDate>
#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

class QAction;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QWidget;

class TfRelatorio : public QDialog {
    Q_OBJECT
public:
    TfRelatorio(std::vector<Desempenho> turma, QString pasta, QDate impresso, QWidget* parent = nullptr);
    ~TfRelatorio() override;

private:
    void criaMenu();
    void FormCreate();
    void desenha(QPrinter* folhas);
    void bbImprimirClick();
    void bbSalvarClick();
    void bbFecharClick();

    std::vector<Desempenho> turma_;
    QString pasta_;
    QDate impresso_;
    std::unique_ptr<QPrinter> impressora_;

    QWidget* pnPrevia;
    QPrintPreviewWidget* pvRelatorio = nullptr;
    QPushButton* bbImprimir;
    QPushButton* bbSalvar;
    QPushButton* bbFechar;
    QAction* Imprimir1;
    QAction* Salvar1;
    QAction* Fechar1;
};

// The report of the course in the current directory, read now.
void MostraRelatorio(QWidget* parent);
