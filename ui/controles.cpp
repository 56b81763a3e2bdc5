#include "ui/controles.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTabBar>

bool ControleComposto(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QComboBox*>(w) || qobject_cast<const QTabBar*>(w)
        || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w)
        || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QCalendarWidget*>(w);
}

bool PosicionadoPorOutro(const QWidget* w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return true;
    const QWidget* pai = w->parentWidget();
    return pai && pai->layout() && pai->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

void MudaTamanho(QWidget* w, QSize tamanho)
{
    if (w->minimumSize() == w->maximumSize())
        w->setFixedSize(tamanho);
    else
        w->resize(tamanho);
}
