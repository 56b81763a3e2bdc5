#include "ui/controles.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

bool ControleComposto(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QComboBox*>(w) || qobject_cast<const QTabBar*>(w)
        || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w)
        || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QCalendarWidget*>(w);
}

void MudaTamanho(QWidget* w, QSize tamanho)
{
    if (w->minimumSize() == w->maximumSize())
        w->setFixedSize(tamanho);
    else
        w->resize(tamanho);
}
