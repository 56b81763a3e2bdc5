#include "app/inicio.h"
#include "app/uPrin.h"
#include "ui/application.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

QStringList argumentos(int argc, char** argv)
{
    QStringList lista;
    for (int i = 0; i < argc; ++i)
        lista << QString::fromLocal8Bit(argv[i]);
    return lista;
}

// The class report needs fonts, not a window: the display is never asked for.
int relatorioSemJanela(int argc, char** argv, const LinhaDeComando& linha)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quiravo"));
    if (const std::optional<QString> erro = relatorioDaLinhaDeComando(*linha.relatorio, escolhePastaDoCurso(linha.curso))) {
        std::fprintf(stderr, "quiravo: %s\n", qPrintable(*erro));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // the command line is read before the window system is asked for anything
    const LinhaDeComando linha = leLinhaDeComando(argumentos(argc, argv));
    if (linha.saida) {
        std::fputs(qPrintable(linha.mensagem), *linha.saida == 0 ? stdout : stderr);
        return *linha.saida;
    }
    if (linha.relatorio)
        return relatorioSemJanela(argc, argv, linha);

    // one thread: nothing runs beside the application object
    Application app(argc, argv);
    // the user's own course folder is named after the program
    QCoreApplication::setApplicationName(QStringLiteral("Quiravo"));
    const QString pasta = escolhePastaDoCurso(linha.curso);
    if (const std::optional<QString> erro = preparaPastaDoCurso(pasta, pastaDosArquivosDoCurso())) {
        std::fprintf(stderr, "quiravo: %s\n", qPrintable(*erro));
        showMessage(BoxKind::Error, *erro);
        return 1;
    }
    QDir::setCurrent(pasta);

    Programa programa;
    return app.exec();
}
