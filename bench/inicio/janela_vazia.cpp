// The floor of the start-up figures: a bare Qt window of the main menu's size.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("janela vazia"));
    janela.setFixedSize(594, 324);
    janela.show();
    return app.exec();
}
