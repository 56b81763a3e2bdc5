// Renders the logo as the program's icon, square, at the sizes of the
// desktop's icon theme.
//   quiravo_gera_icones <logo.svg> <pasta>
// writes <pasta>/<N>x<N>/quiravo.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kTamanhos[] = {48, 64, 128, 256};

// the logo, whole and centred, on a transparent square
QImage icone(QSvgRenderer& logo, int lado)
{
    QImage imagem(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::transparent);
    QSizeF tamanho = logo.defaultSize();
    tamanho.scale(lado, lado, Qt::KeepAspectRatio);
    QPainter pintor(&imagem);
    logo.render(&pintor, QRectF(QPointF((lado - tamanho.width()) / 2, (lado - tamanho.height()) / 2), tamanho));
    return imagem;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: quiravo_gera_icones <logo.svg> <pasta>\n");
        return 2;
    }
    QSvgRenderer logo(args[1]);
    if (!logo.isValid()) {
        std::fprintf(stderr, "%s: não é um SVG válido\n", qPrintable(args[1]));
        return 1;
    }
    for (int lado : kTamanhos) {
        const QString pasta = QStringLiteral("%1/%2x%2").arg(args[2]).arg(lado);
        const QString arquivo = pasta + QStringLiteral("/quiravo.png");
        if (!QDir().mkpath(pasta) || !icone(logo, lado).save(arquivo)) {
            std::fprintf(stderr, "%s: não foi possível gravar\n", qPrintable(arquivo));
            return 1;
        }
    }
    return 0;
}
