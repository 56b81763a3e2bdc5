#include "teclado.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int kEsperaFocoMs = 2000;

}  // namespace

QWidget* comFoco()
{
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, kEsperaFocoMs))
        ADD_FAILURE() << "no widget has the keyboard focus";
    return QApplication::focusWidget();
}

void tecla(Qt::Key key, Qt::KeyboardModifiers modificadores)
{
    if (QWidget* foco = comFoco())
        QTest::keyClick(foco, key, modificadores);
}

void digita(const QString& texto)
{
    for (QChar c : texto) {
        QWidget* foco = comFoco();
        if (!foco)
            return;
        if (c.unicode() < 128)
            QTest::keyClick(foco, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, foco, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
