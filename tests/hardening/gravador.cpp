// A second program appending records, for the crash and concurrency tests:
//   gravador <directory> <student number> <count>
// appends, through GravaAula, lesson records numbered 1, 2, 3 ... in Tempo for
// the student, count of them or, with count 0, until it is killed;
//   gravador <directory> alunos <count>
// registers count students, each as the registration screen does: the
// highest number read when the screen opens, then GravaAluno. A full course
// ends it;
//   gravador <directory> corrige:<student number> <count>
// rewrites the student in place, as the teacher's screen does, with
// versaoCorrigida(n) for n = 1, 2, 3 ..., count times or, with count 0,
// until it is killed;
//   gravador <directory> le <count>
// reads the student, lesson and key statistics files whole, as the class
// report does, count times or, with count 0, until it is killed;
//   gravador <directory> turma <count>
// is a student of a class: registers, then passes count exercises, each a
// lesson record numbered in Tempo and a key statistics record numbered in
// Esperadas. Exit code 1 on a failed write or read.

#include "correcoes.h"
#include "data/datafiles.h"
#include "data/records.h"
#include "data/toques.h"
#include "platform/errors.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Lesson n of the student: numbered n in Tempo.
void appendLesson(std::int32_t student, long n)
{
    clearRecord(AulaAtual);
    AulaAtual.CodAluno = student;
    AulaAtual.Data = 46000;
    AulaAtual.Tempo = std::int32_t(n);
    AulaAtual.NumExerc = std::uint8_t(n % 256);
    GravaAula();
}

void appendLessons(std::int32_t student, long count)
{
    for (long n = 1; count == 0 || n <= count; ++n)
        appendLesson(student, n);
}

void registerStudents(long count)
{
    for (long n = 1; n <= count; ++n) {
        MaiorCodigo();
        if (!GravaAluno(QStringLiteral("Aluno %1 de %2").arg(n).arg(getpid()), {}, {}, 46000, 0))
            return;
    }
}

void correctStudent(std::int32_t student, long count)
{
    for (long n = 1; count == 0 || n <= count; ++n)
        RegravaAluno(student, versaoCorrigida(n));
}

void readAll(long count)
{
    for (long n = 1; count == 0 || n <= count; ++n) {
        CarregaAlunos();
        LeHistoricoAulas();
        LeToques([](const tToque&) {});
    }
}

void beAStudent(long count)
{
    if (!GravaAluno(QStringLiteral("Aluno %1").arg(getpid()), {}, {}, 46000, 0))
        throw AppError(QStringLiteral("o curso está cheio"));
    const std::int32_t student = CodAlunoAtual;
    for (long n = 1; n <= count; ++n) {
        appendLesson(student, n);
        tToque toque{};
        toque.CodAluno = student;
        toque.Caractere = 'a';
        toque.Origem = std::uint8_t(OrigemDoToque::Curso);
        toque.Esperadas = std::uint32_t(n);
        GravaToques({toque});
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: gravador <directory> <student number>|alunos|corrige:<student number>|le|turma "
                             "<count>\n");
        return 2;
    }
    const long count = std::atol(argv[3]);
    try {
        if (std::strcmp(argv[2], "alunos") == 0)
            registerStudents(count);
        else if (std::strcmp(argv[2], "le") == 0)
            readAll(count);
        else if (std::strcmp(argv[2], "turma") == 0)
            beAStudent(count);
        else if (std::strncmp(argv[2], "corrige:", 8) == 0)
            correctStudent(std::atoi(argv[2] + 8), count);
        else
            appendLessons(std::atoi(argv[2]), count);
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
