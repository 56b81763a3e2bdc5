#pragma once
// Enrolling a whole class from a list: each line of a text or CSV file is a
// student, registered as the registration screen would register them.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

struct LinhaDaTurma {
    int numero = 0;  // the line's number in the file
    QString nome;
    QString email;
    QString recusa;  // why the line is not registered; empty when it is
};

// The class list of a file in UTF-8 or Windows-1252: a student a line, "Nome"
// or "Nome;E-mail", each field perhaps in quotes as a spreadsheet writes it;
// blank lines and a heading line ("Nome;E-mail") are no students. A line that
// the registration screen would refuse says why, and so does each line beyond
// the vagas the course has left.
std::vector<LinhaDaTurma> LeListaDaTurma(const QByteArray& conteudo, std::int64_t vagas);

// Registers the lines not refused, in their order, as the registration screen
// does: no password, today's date as the date of birth, the period given
// (0, 1 or 2), today's registration record. Each one is added to the log.
// A course that fills meanwhile stops it; returns how many were registered.
int MatriculaTurma(const std::vector<LinhaDaTurma>& turma, int periodo);

// What the enrolment did, in a sentence or three: the students registered,
// the lines left out, and those a course filled meanwhile left out.
QString ResumoDaMatricula(const std::vector<LinhaDaTurma>& turma, int matriculados);

// The lines to be registered: those not refused.
int Aceitas(const std::vector<LinhaDaTurma>& turma);
