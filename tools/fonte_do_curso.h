#pragma once
// Reading and checking the course source (content/curso.txt): the exercises
// in course order, their texts already in Windows-1252, and the sections they
// fall into. Every exercise that
// the program could never show or that a student could never pass is refused
// with a message naming the exercise and the line of the source; so is a
// course that brings its keys too many at a time, practises one too little or
// asks too much of a beginner as a whole.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The catalogue holds at most this many exercises.
inline constexpr int kMaxExercicios = 100;
// The typing field holds this many characters.
inline constexpr int kMaxCaracteresLinha = 80;
// The capacity of the instruction field.
inline constexpr int kMaxCaracteresInstrucao = 250;
inline constexpr int kMaxLinhas = 4;

// The accuracy per keystroke of a beginner: every typing exercise, and the
// whole course, must stay passable at it.
inline constexpr double kAcertoDeReferencia = 0.98;
// The accuracy of a learner with some practice, shown beside it.
inline constexpr double kAcertoComPratica = 0.99;
// What passing one typing exercise may cost a beginner, in keystrokes on
// average: about 20 minutes at 100 keystrokes a minute.
inline constexpr double kEsforcoMaximo = 2000;
// What the whole course may cost a beginner.
inline constexpr double kEsforcoMaximoDoCurso = 40000;
// How many characters a typing exercise may bring that no earlier one had: a
// capital of a known letter is a new character.
inline constexpr int kMaxCaracteresNovos = 8;
// In how many typing exercises' lines every character of the course comes.
inline constexpr int kMinExerciciosPorCaractere = 3;

struct ExercicioDoCurso {
    int numero = 0;
    int linhasExigidas = 0;
    // as the catalogue holds it: a typing exercise's instruction ends with
    // the sentence that says how many passes it asks for
    QByteArray instrucao;
    QList<QByteArray> linhas;  // one to four, none of them empty
    int sourceLine = 0;        // the line of its "exercício" header

    // The characters of the longest line: what the speed figure divides.
    int numToques() const;
    // Whether the typing field is a musical keyboard there.
    bool musical() const;
};

// A part of the course, named by a "seção" line: it runs from its first
// exercise to the next section.
struct SecaoDoCurso {
    int primeiroExercicio;
    QString nome;
    int sourceLine;  // the line of its "seção" keyword
};

struct FonteDoCurso {
    QList<ExercicioDoCurso> exercises;
    QList<SecaoDoCurso> sections;  // in course order
    QStringList errors;  // empty when the whole course is sound

    bool ok() const { return errors.isEmpty(); }
};

// How wide a line and how tall an instruction are drawn on the exercise
// screen, beside the room they have there; the measures live outside, so that
// reading the course needs no fonts. What has no measure is not checked.
struct MedidaNaTela {
    std::function<int(const QByteArray& linhaCp1252)> larguraDaLinha;
    int quadro = 0;
    std::function<int(const QString& instrucaoMostrada)> alturaDaInstrucao;
    int painel = 0;
};

// Reads a course source given as UTF-8. fileName only serves the messages.
FonteDoCurso leCurso(const QByteArray& utf8, const QString& fileName, const MedidaNaTela& medida = {});

// The sections as the program reads them: a line "<primeiroExercicio>\t<nome>"
// each, in UTF-8.
QByteArray textoDasSecoes(const QList<SecaoDoCurso>& sections);

// The sentence that a typing exercise's instruction ends with.
QByteArray frasePassagens(int linhasExigidas);

// The keys a character takes on the ABNT2 keyboard: two for a letter with a
// dead accent (the accent, then the letter) and for an accent alone (the
// accent, then the space bar); one for any other.
int toquesDoCaractere(char caractereCp1252);
// The keys a line takes, ENTER left out.
int toquesDaLinha(const QByteArray& linhaCp1252);

// The keystrokes, ENTER included, that passing the exercise costs on average
// when each keystroke is right with probability acerto, on its own: the
// passes asked for, in a row, through all the lines; a wrong line is typed to
// its end, and the count starts again from the first line. Infinite when it
// is beyond counting.
double esforcoEsperado(const ExercicioDoCurso& exercise, double acerto = kAcertoDeReferencia);
// The sum of the typing exercises' efforts.
double esforcoDoCurso(const QList<ExercicioDoCurso>& exercises, double acerto = kAcertoDeReferencia);

// What the course's typing exercises, in course order, must meet together:
// each brings at most kMaxCaracteresNovos characters that no earlier one had,
// every character comes in at least kMinExerciciosPorCaractere of them, and
// the whole costs a beginner at most kEsforcoMaximoDoCurso keystrokes. One
// message per exercise at fault, naming it and its characters; fileName only
// serves the messages. The musical keyboard's notes are no typing.
QStringList problemasDoCurso(const QList<ExercicioDoCurso>& exercises, const QString& fileName);

// One row per exercise: its passes, its keystrokes per pass and its expected
// effort at the reference accuracy and with some practice; then the course's
// total and its largest exercise.
QString tabelaDeEsforco(const QList<ExercicioDoCurso>& exercises);
