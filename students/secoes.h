#pragma once
// The course's sections, as the course source names them: the chart of a
// student's progress shows where each one begins.
#include <QString>
#include <vector>
struct Secao {
    int primeiroExercicio = 0;
    QString nome;
};
// The sections in course order, read once from the program's resources.
const std::vector<Secao>& SecoesDoCurso();
// The index in SecoesDoCurso() of the section exercise n belongs to: the last
// one that begins at or before it; -1 before the first.
int SecaoDoExercicio(int exercicio);
