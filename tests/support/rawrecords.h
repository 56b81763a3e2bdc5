#pragma once
// Records as the course's files hold them, for tests that build or inspect files.

#include "data/records.h"
#include "data/toques.h"

#include <QByteArray>
#include <vector>

// A key that scrambles with the shift -2 (position 6 odd, position 7 names position 2).
inline const QByteArray kChave = QByteArrayLiteral("a2cde323Db");

// Exercise n with one line "linha n", stored scrambled as in the catalogue.
tExercicio storedExercise(std::uint8_t n);
// The count of one character: every time expected was timed, at msPorToque
// milliseconds a keystroke.
tToque storedKeyCount(char caractere, std::uint32_t esperadas, std::uint32_t erradas, std::uint32_t msPorToque);
// Student `codigo` named "Aluno <codigo>", without a password, stored scrambled.
tAluno storedStudent(std::int32_t codigo);

template <class T>
QByteArray bytesOf(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), int(sizeof(T)));
}

template <class T>
QByteArray bytesOf(const std::vector<T>& records)
{
    QByteArray bytes;
    for (const T& r : records)
        bytes += bytesOf(r);
    return bytes;
}

template <class T>
bool isZero(const T& record)
{
    return bytesOf(record) == QByteArray(int(sizeof(T)), '\0');
}
