#pragma once
// The entry screen. (Placeholder: the interface the main menu uses.)

#include <QDialog>

class TfEntrada : public QDialog {
    Q_OBJECT
public:
    explicit TfEntrada(QWidget* parent = nullptr);
};
