#include "ui/aviso.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface* interfaceDoAviso(const QString& classe, QObject* objeto)
{
    if (classe == QLatin1String(AvisoFalado::staticMetaObject.className()) && objeto && objeto->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(objeto), QAccessible::Notification);
    return nullptr;
}

}  // namespace

AvisoFalado::AvisoFalado(QWidget* parent)
    : QLabel(parent)
{
    static const bool instalada = [] {
        QAccessible::installFactory(interfaceDoAviso);
        return true;
    }();
    Q_UNUSED(instalada);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    hide();
}

void AvisoFalado::mostra(const QString& texto)
{
    setText(texto);
    setAccessibleName(texto);
    setVisible(!texto.isEmpty());
}
