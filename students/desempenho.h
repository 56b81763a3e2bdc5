#pragma once
// A student's progress as the progress screen and the class report show it,
// computed for the whole roster from one pass over the lesson file and one
// over the key statistics.

#include "course/estatisticas.h"
#include "data/records.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

// One passed exercise: a lesson record with an exercise number of 1 or more.
struct Passagem {
    QDate data;
    int exercicio = 0;
    int velocidade = 0;  // t/m
};

struct Desempenho {
    std::int32_t codigo = 0;
    QString nome;
    QDate cadastro;           // of the first record without an exercise (the registration)
    int ultimoExercicio = 0;  // of the last record in file order
    int diasDePratica = 0;    // distinct dates among the passes
    QDate primeiraAula;       // of the first pass; null without a pass
    QDate ultimaAula;         // of the last pass
    int melhorVelocidade = 0;  // among the passes
    int ultimaVelocidade = 0;  // of the last record
    std::vector<Passagem> passagens;  // in file order, all of them
    estatisticas::TeclasDoAluno teclas;  // what each character costs
};

// The figures of the students given, in their order, from one streaming pass
// over the lesson file and one over the key statistics; a missing file counts
// as empty. A file error throws the file's IoError.
std::vector<Desempenho> DesempenhoDosAlunos(const std::vector<tAluno>& alunos);

// The roster as a value: the students of the student file, in its order, as
// CarregaAlunos reads them (it refills ListaAlunos, with AlunoAtual as its read
// buffer). None in a course where nobody has registered: it has no student file.
std::vector<tAluno> RolDoCurso();

// The figures of every student of the roster, in roster order, read anew.
std::vector<Desempenho> DesempenhoDaTurma();
