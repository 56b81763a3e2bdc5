// Compiles the course source into the catalogue ZORPExercicio20.dat.
//   quiravo_compila_curso <curso.txt> <ZORPExercicio20.dat>
// Refuses the whole course, writing nothing, when any exercise is unsound.
//   quiravo_compila_curso --esforco <curso.txt>
// Prints every exercise's expected effort instead, and checks the course.

#include "tools/catalogue.h"
#include "tools/course_source.h"
#include "tools/largura_na_tela.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

const QString kOpcaoEsforco = QStringLiteral("--esforco");

void complain(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The course read and checked, or nothing when it could not be read or is unsound.
std::optional<CourseSource> readCourse(const QString& sourcePath)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("%1: %2").arg(sourcePath, source.errorString()));
        return std::nullopt;
    }
    CourseSource course = parseCourse(source.readAll(), QFileInfo(sourcePath).fileName(), medidaNaTela());
    for (const QString& error : course.errors)
        complain(error);
    return course;
}

int printEffort(const QString& sourcePath)
{
    const std::optional<CourseSource> course = readCourse(sourcePath);
    if (!course)
        return 1;
    std::fputs(qPrintable(tabelaDeEsforco(course->exercises)), stdout);
    return course->ok() ? 0 : 1;
}

int compile(const QString& sourcePath, const QString& outputPath)
{
    const std::optional<CourseSource> course = readCourse(sourcePath);
    if (!course)
        return 1;
    if (!course->ok()) {
        complain(QStringLiteral("%1 erro(s): o catálogo não foi gerado").arg(course->errors.size()));
        return 1;
    }

    // a failed write leaves the previous catalogue as it was
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(compileCatalogue(course->exercises)) < 0 ||
        !output.commit()) {
        complain(QStringLiteral("%1: %2").arg(outputPath, output.errorString()));
        return 1;
    }
    return 0;
}

int run(const QStringList& args)
{
    if (args.size() == 3 && args[1] == kOpcaoEsforco)
        return printEffort(args[2]);
    if (args.size() == 3 && !args[1].startsWith(u'-'))
        return compile(args[1], args[2]);
    const QString tool = QFileInfo(args.value(0)).fileName();
    complain(QStringLiteral("uso: %1 <fonte do curso> <catálogo>\n"
                            "     %1 %2 <fonte do curso>   (mostra o esforço esperado de cada exercício)")
                 .arg(tool, kOpcaoEsforco));
    return 2;
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
    try {
        return run(app.arguments());
    } catch (const std::exception& e) {
        complain(QString::fromUtf8(e.what()));
        return 1;
    }
}
