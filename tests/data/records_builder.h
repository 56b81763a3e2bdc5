#pragma once
// Builders of raw records for the data tests: the texts go in scrambled with
// the record's key, as the course's files hold them.

#include "data/records.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A key that scrambles with the shift -2 (position 6 odd, position 7 names position 2).
inline const QByteArray kChave = QByteArrayLiteral("a2cde323Db");

struct ExercicioPlano {
    std::uint8_t numero = 1;
    QByteArray linhas[4];
    QByteArray instrucao;
    std::int32_t numToques = 0;
    std::uint8_t linhasExigidas = 0;
};

tExercicio rawExercicio(const ExercicioPlano& plano, const QByteArray& chave = kChave);
tAluno rawAluno(std::int32_t codigo, const QByteArray& nome, const QByteArray& senha = "==",
                const QByteArray& chave = kChave);
tAula aula(std::int32_t codAluno, std::uint8_t numExerc, double data = 46000, std::int32_t tempo = 0);

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
