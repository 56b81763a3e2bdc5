#pragma once
// Loading and appending the course's record files. Every failure throws the
// file's I/O error; nothing is rolled back.

#include <QString>
#include <cstdint>

// Clears ExercicioAtual and Exercicios, then fills them from the catalogue.
// A catalogue without one whole record is reported as damaged.
void CarregaExercicios();

// Fills the roster from the student file; returns the number of records read.
std::uint8_t CarregaAlunos();

// The number of students in the student file; 0 when there is no such file.
std::int64_t QuantosAlunos();

// CodAlunoAtual := the highest student number in the student file, or 0.
void MaiorCodigo();

// Appends a new student, numbered one above the highest number in the file
// at that moment (CodAlunoAtual becomes it), and the student's first lesson
// record, then reloads the roster. periodo is 0, 1 or 2. False, and nothing
// written, when the file already holds as many students as the roster.
bool GravaAluno(const QString& nome, const QString& senha, const QString& email, double dataNasc,
                int periodo);

// Reads the lesson records of CodAlunoAtual into HistoricoAulas; AulaAtual
// becomes the last of them, or all zero.
void LeHistoricoAulas();

// Appends AulaAtual to the lesson history.
void GravaAula();
