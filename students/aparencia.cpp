#include "students/aparencia.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QStyle>

namespace aparencia {

QFont arial(int pixels, bool negrito)
{
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    fonte.setPixelSize(pixels);
    fonte.setBold(negrito);
    return fonte;
}

QFont impact(int pixels)
{
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Impact"), QStringLiteral("Liberation Sans Narrow"),
                       QStringLiteral("DejaVu Sans Condensed")});
    fonte.setPixelSize(pixels);
    return fonte;
}

QFont msSansSerif(int pixels)
{
    QFont fonte;
    fonte.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                       QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    fonte.setPixelSize(pixels);
    return fonte;
}

void pinta(QWidget* widget, QPalette::ColorRole papel, const QColor& cor)
{
    QPalette paleta = widget->palette();
    paleta.setColor(papel, cor);
    widget->setPalette(paleta);
}

void pintaFundo(QWidget* widget, const QColor& cor)
{
    widget->setAutoFillBackground(true);
    pinta(widget, QPalette::Window, cor);
}

void coresDeFoco(QLineEdit* caixa)
{
    pinta(caixa, QPalette::Text, kAzul);
    pinta(caixa, QPalette::Base, kAgua);
}

void coresSemFoco(QLineEdit* caixa)
{
    const QPalette sistema = QApplication::palette(caixa);
    pinta(caixa, QPalette::Text, sistema.color(QPalette::Text));
    pinta(caixa, QPalette::Base, sistema.color(QPalette::Base));
}

QIcon icone(const QString& recurso, int padrao)
{
    if (QFile::exists(recurso))
        return QIcon(recurso);
    return QApplication::style()->standardIcon(QStyle::StandardPixmap(padrao));
}

}  // namespace aparencia
