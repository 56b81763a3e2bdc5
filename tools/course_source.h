#pragma once
// Reading and checking the course source (content/curso.txt): the exercises
// in course order, their texts already in Windows-1252. Every exercise that
// the program could never show or that a student could never pass is refused
// with a message naming the exercise and the line of the source.

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

struct CourseExercise {
    int numero = 0;
    int linhasExigidas = 0;
    QByteArray instrucao;
    QList<QByteArray> linhas;  // one to four, none of them empty
    int sourceLine = 0;        // the line of its "exercício" header

    // The characters of the longest line: what the speed figure divides.
    int numToques() const;
};

struct CourseSource {
    QList<CourseExercise> exercises;
    QStringList errors;  // empty when the whole course is sound

    bool ok() const { return errors.isEmpty(); }
};

// How wide a line is drawn on the exercise screen, and the width of the frame
// that holds it there; the measure lives outside, so that reading the course
// needs no fonts. Without a measure no width is checked.
struct MedidaDaLinha {
    std::function<int(const QByteArray& linhaCp1252)> pixels;
    int quadro = 0;
};

// Reads a course source given as UTF-8. fileName only serves the messages.
CourseSource parseCourse(const QByteArray& utf8, const QString& fileName, const MedidaDaLinha& medida = {});
