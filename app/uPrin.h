#pragma once
// The main menu.

#include <QWidget>

class TfPrin : public QWidget {
    Q_OBJECT
public:
    explicit TfPrin(QWidget* parent = nullptr);
};
