// Compiles the course source into the catalogue ZORPExercicio20.dat.
//   quiravo_compila_curso <curso.txt> <ZORPExercicio20.dat> [--secoes <secoes.txt>]
// Refuses the whole course, writing nothing, when any exercise is unsound or
// the exercises together break a rule of the course.
// With --secoes, also writes the course's sections, one line each:
// "<first exercise>\t<name>" in UTF-8.
//   quiravo_compila_curso --esforco <curso.txt>
// Prints every exercise's expected effort instead, for a beginner and for a
// learner with some practice, with the course's total; and checks the course.

#include "tools/catalogo.h"
#include "tools/fonte_do_curso.h"
#include "tools/largura_na_tela.h"
#include "tools/tool_files.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

const QString kOpcaoEsforco = QStringLiteral("--esforco");
const QString kOpcaoSecoes = QStringLiteral("--secoes");

// The course read and checked, or nothing when it could not be read or is unsound.
std::optional<FonteDoCurso> readCourse(const QString& sourcePath)
{
    const std::optional<QByteArray> source = readWhole(sourcePath);
    if (!source)
        return std::nullopt;
    const QString fileName = QFileInfo(sourcePath).fileName();
    FonteDoCurso course = leCurso(*source, fileName, medidaNaTela());
    // the rules over the whole course count on every exercise being there
    if (course.ok())
        course.errors << problemasDoCurso(course.exercises, fileName);
    for (const QString& error : course.errors)
        complain(error);
    return course;
}

int printEffort(const QString& sourcePath)
{
    const std::optional<FonteDoCurso> course = readCourse(sourcePath);
    if (!course)
        return 1;
    std::fputs(qPrintable(tabelaDeEsforco(course->exercises)), stdout);
    return course->ok() ? 0 : 1;
}


int compile(const QString& sourcePath, const QString& outputPath, const std::optional<QString>& secoesPath)
{
    const std::optional<FonteDoCurso> course = readCourse(sourcePath);
    if (!course)
        return 1;
    if (!course->ok()) {
        complain(QStringLiteral("%1 erro(s): o catálogo não foi gerado").arg(course->errors.size()));
        return 1;
    }
    if (!writeWhole(outputPath, compilaCatalogo(course->exercises)))
        return 1;
    if (secoesPath && !writeWhole(*secoesPath, textoDasSecoes(course->sections)))
        return 1;
    return 0;
}

// Takes "--secoes <file>" out of the arguments, wherever it stands: the file,
// or nothing when the option is absent or lacks its file.
std::optional<QString> takeSecoesPath(QStringList& args)
{
    const qsizetype option = args.indexOf(kOpcaoSecoes, 1);
    if (option < 0 || option + 1 >= args.size())
        return std::nullopt;
    const QString path = args.takeAt(option + 1);
    args.removeAt(option);
    return path;
}

bool isOperand(const QString& arg)
{
    return !arg.startsWith(u'-');
}

int run(QStringList args)
{
    if (args.size() == 3 && args[1] == kOpcaoEsforco)
        return printEffort(args[2]);
    const std::optional<QString> secoesPath = takeSecoesPath(args);
    if (args.size() == 3 && isOperand(args[1]) && isOperand(args[2]))
        return compile(args[1], args[2], secoesPath);
    const QString tool = QFileInfo(args.value(0)).fileName();
    complain(QStringLiteral("uso: %1 <fonte do curso> <catálogo> [%3 <seções>]\n"
                            "     %1 %2 <fonte do curso>   (mostra o esforço esperado de cada exercício)")
                 .arg(tool, kOpcaoEsforco, kOpcaoSecoes));
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
