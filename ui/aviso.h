#pragma once
// A line that a screen reader speaks when it appears, while the focus stays
// where it is: on Qt 6.4 a widget of the role QAccessible::Notification,
// named after the text it shows. Its text may change while it is shown
// without being spoken again (a countdown).

#include <QLabel>

class AvisoFalado : public QLabel {
    Q_OBJECT
public:
    explicit AvisoFalado(QWidget* parent = nullptr);

    // Shows texto; an empty text hides the line.
    void mostra(const QString& texto);
};
