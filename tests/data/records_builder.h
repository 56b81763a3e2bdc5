#pragma once
// Builders of raw records for the data tests: the texts go in scrambled with
// the record's key, as the course's files hold them.

#include "data/records.h"
#include "support/rawrecords.h"

#include <QByteArray>
#include <QString>
#include <vector>

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

