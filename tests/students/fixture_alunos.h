#pragma once
// Students and lessons written through the data layer into a fresh directory,
// the program-wide records cleared, the clock fixed on a Thursday.

#include "support/fixture.h"

#include <QString>
#include <cstdint>

class ComAlunos : public InTempDir {
protected:
    void SetUp() override;
    void TearDown() override;

    // registers a student as the registration screen does; returns the number
    static std::int32_t cadastra(const QString& nome, const QString& senha = {}, int periodo = 0);
    // appends a lesson record of a student
    static void registraAula(std::int32_t codAluno, double data, std::int32_t tempo, int numExerc);
    // a catalogue of exercises 1 to n, each one line long
    static void catalogo(int n);
    // the roster and AlunoAtual as the main menu leaves them after start-up
    static void carregaComoNaAbertura();

    static double hoje();
};
