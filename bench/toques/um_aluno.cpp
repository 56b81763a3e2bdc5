// Registers one student without a password in the current folder, as the
// registration screen saves one: the typing measurement takes a lesson as
// that student. The first lesson record is dated today, so the practice
// rhythm sends the student nowhere and exercise 1 opens.

#include "data/datafiles.h"

#include <QString>

int main()
{
    constexpr double kNascimento = 40000;
    constexpr int kTodoDia = 2;
    return GravaAluno(QStringLiteral("Aluno de teste"), QString(), QString(), kNascimento, kTodoDia) ? 0 : 1;
}
