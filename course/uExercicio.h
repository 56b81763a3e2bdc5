#pragma once
// The exercise screen. (Placeholder: the interface the entry screen uses.)

#include <QDialog>

class QLabel;

class TfExercicio : public QDialog {
    Q_OBJECT
public:
    explicit TfExercicio(QWidget* parent = nullptr);

    // Shows ExercicioAtual: number, instruction and lines.
    void MostraExercicio();

    QLabel* lbNome;
    QLabel* lbUltimaData;
};
