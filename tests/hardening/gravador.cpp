// A second program appending lesson records, for the crash and concurrency
// tests: gravador <directory> <student number> <count>. It appends, through
// GravaAula, records numbered 1, 2, 3 ... in Tempo for the student, count of
// them or, with count 0, until it is killed. Exit code 1 on a failed append.

#include "data/datafiles.h"
#include "data/records.h"
#include "platform/errors.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: gravador <directory> <student number> <count>\n");
        return 2;
    }
    const std::int32_t student = std::atoi(argv[2]);
    const long count = std::atol(argv[3]);
    try {
        for (long n = 1; count == 0 || n <= count; ++n) {
            clearRecord(AulaAtual);
            AulaAtual.CodAluno = student;
            AulaAtual.Data = 46000;
            AulaAtual.Tempo = std::int32_t(n);
            AulaAtual.NumExerc = std::uint8_t(n % 256);
            GravaAula();
        }
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
