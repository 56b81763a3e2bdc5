#pragma once
// The rules of registering a student and of letting one in, without a screen:
// the registration and entry screens ask them, and show what they answer.

#include "data/records.h"

#include <QString>
#include <cstdint>

// What the registration fields hold: as much as the student record keeps.
inline constexpr int kTamanhoNome = decltype(tAluno::Nome)::capacity;
inline constexpr int kTamanhoSenha = decltype(tAluno::Senha)::capacity;
inline constexpr int kTamanhoEMail = decltype(tAluno::EMail)::capacity;

// A password that could never be typed again at the entry screen: one
// character is stored padded with a blank, and "==" stands for no password.
bool SenhaImpossivel(const QString& senha);

// A student file of this many records has no room for one more.
bool CursoLotado(std::int64_t alunos);

// The password typed opens the student's lessons: the same text exactly,
// and nothing for a student without a password.
bool SenhaConfere(const tAluno& aluno, const QString& digitada);

// A lesson goes on from the exercise after the last one recorded.
std::int32_t ProximoExercicio(const tAula& ultima);
