#pragma once
// Enrolling a whole class from a list: each line of a text or CSV file is a
// student, registered as the registration screen would register them.

#include "data/records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct LinhaDaTurma {
    int numero = 0;  // the line of the file where the student's record starts
    QString nome;
    QString email;
    QString recusa;    // why the line can never be registered; empty when it can
    QString repetida;  // who in the course or which line above has its name or e-mail; empty when nobody
    QString fora;      // why this enrolment leaves it out (DecideMatricula); empty when it is registered
};

// The class list of a file: a student a record, the name and the e-mail as
// a spreadsheet saves them. The text is UTF-16 or UTF-8 after a byte-order
// mark, else UTF-8 when it is valid, else Windows-1252; lines end in CR LF,
// LF or CR alone. The fields are split at ";", "," or a tab: the one a
// heading line ("Nome;E-mail", in any case, with or without accents) splits,
// else the one that splits the records alike; a field in quotes is taken
// whole, line ends included, with "" for a quote inside it. A heading puts
// the columns where it names them; without one the name comes first. Blank
// records are no students. A line that the registration screen would refuse,
// or whose name or e-mail holds a control character, says why in recusa.
std::vector<LinhaDaTurma> LeListaDaTurma(const QByteArray& conteudo);

// The bytes of the class list the teacher chose, whole. The list is the
// teacher's own document, wherever it lies: a link to it is followed, as any
// program follows one to a document, though a course file is never reached
// through one. Something that is no file, a file too large to be a list, and
// a file that cannot be read throw AppError, with the cause in Portuguese.
QByteArray LeArquivoDaTurma(const QString& arquivo);

// A student already in the course, as a list's lines are compared with.
struct AlunoDoCurso {
    std::int32_t codigo = 0;
    QString nome;
    QString email;
};

// The students of the roster, as the list's lines are compared with them.
std::vector<AlunoDoCurso> AlunosDoCurso(const std::vector<tAluno>& rol);

// The places the course has left beside the students of the roster.
std::int64_t VagasNoCurso(const std::vector<tAluno>& rol);

// Says in repetida, for each line not refused, who already has its name or
// its e-mail: a student of the course, or a line above that is not refused.
// Names are the same without regard to case, accents and blanks around or
// doubled inside them; e-mails without regard to case.
void MarcaRepetidas(std::vector<LinhaDaTurma>& turma, const std::vector<AlunoDoCurso>& curso);

// Decides who this enrolment registers, in the list's order: every line but
// the refused ones, the repeated ones unless comRepetidas, and those beyond
// the vagas the course has left. Each line left out says why in fora.
void DecideMatricula(std::vector<LinhaDaTurma>& turma, bool comRepetidas, std::int64_t vagas);

// The lines to be registered: those DecideMatricula left in.
int Aceitas(const std::vector<LinhaDaTurma>& turma);

// The text with every control character, which would not show, as "□".
QString Visivel(const QString& texto);

// What an enrolment did.
struct MatriculaFeita {
    QStringList matriculados;     // the names registered, in order
    QStringList semAnotacao;      // those of them the log of changes misses, or cannot be read to hold
    QStringList naoMatriculados;  // the names to register that were not
    QStringList incertos;         // those a failure left unknown: the student file could not be read
    bool lotado = false;          // the course filled meanwhile
    QString falha;                // the error that cut the enrolment short; empty when none did

    bool completa() const { return falha.isEmpty() && !lotado; }
};

// Registers the lines DecideMatricula left in, in their order, as the
// registration screen does: no password, today's date as the date of birth,
// the period given (0, 1 or 2), today's registration record; each one is
// added to the log of changes. A course that fills meanwhile stops it, and
// so does a failing file operation: then what was done is told, not thrown.
// rol is the course the lines were decided against: after a failure, a
// student of the line's name numbered above everyone before (in rol, or
// registered here) is found in the student file as registered by it.
MatriculaFeita MatriculaTurma(const std::vector<LinhaDaTurma>& turma, int periodo, const std::vector<tAluno>& rol);

// What the enrolment did, in a few sentences: the students registered, the
// lines left out, and, when it stopped early, why, who was registered and
// who was not.
QString ResumoDaMatricula(const std::vector<LinhaDaTurma>& turma, const MatriculaFeita& feita);
