#pragma once
// The registration screen. (Placeholder: the interface the main menu uses.)

#include <QDialog>

class TfCadAlunos : public QDialog {
    Q_OBJECT
public:
    explicit TfCadAlunos(QWidget* parent = nullptr);
};
