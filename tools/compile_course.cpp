// Compiles the course source into the catalogue ZORPExercicio20.dat.
//   quiravo_compila_curso <curso.txt> <ZORPExercicio20.dat>
// Refuses the whole course, writing nothing, when any exercise is unsound.

#include "tools/catalogue.h"
#include "tools/course_source.h"
#include "tools/largura_na_tela.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>

namespace {

void complain(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

int compile(const QString& sourcePath, const QString& outputPath)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("%1: %2").arg(sourcePath, source.errorString()));
        return 1;
    }
    const CourseSource course =
        parseCourse(source.readAll(), QFileInfo(sourcePath).fileName(), medidaNaTela());
    if (!course.ok()) {
        for (const QString& error : course.errors)
            complain(error);
        complain(QStringLiteral("%1 erro(s): o catálogo não foi gerado").arg(course.errors.size()));
        return 1;
    }

    // a failed write leaves the previous catalogue as it was
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(compileCatalogue(course.exercises)) < 0 ||
        !output.commit()) {
        complain(QStringLiteral("%1: %2").arg(outputPath, output.errorString()));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    // the tool never opens a window and runs at build time, where there may be
    // no display
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // fonts to measure the lines with; the key generator lets pending events run
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        complain(QStringLiteral("uso: %1 <fonte do curso> <catálogo>").arg(QFileInfo(args.value(0)).fileName()));
        return 2;
    }
    try {
        return compile(args[1], args[2]);
    } catch (const std::exception& e) {
        complain(QString::fromUtf8(e.what()));
        return 1;
    }
}
