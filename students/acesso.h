#pragma once
// The rules of registering a student and of letting one in, without a screen:
// the registration and entry screens ask them, and show what they answer.

#include "data/records.h"

#include <QString>
#include <cstdint>
#include <optional>

// What the registration fields hold: as much as the student record keeps.
inline constexpr int kTamanhoNome = decltype(tAluno::Nome)::capacity;
inline constexpr int kTamanhoSenha = decltype(tAluno::Senha)::capacity;
inline constexpr int kTamanhoEMail = decltype(tAluno::EMail)::capacity;

// What the registration screen says when it refuses what was typed; the
// teacher's corrections are refused in the same words.
inline const QString kAvisoSemNome = QStringLiteral("Digite pelo menos o nome do aluno.");
inline const QString kAvisoSenhaImpossivel = QStringLiteral(
    "Esta senha não pode ser usada.\r"
    "Digite pelo menos 2 caracteres, sem ser \"==\",\r"
    "ou deixe a senha em branco.");
inline const QString kErroSenhasDiferentes = QStringLiteral("As senhas digitadas não conferem.\rDigite novamente.");

// Every character of the text is one the student file can hold.
bool CabeNoArquivo(const QString& texto);

// Why the registration screen could not take the text typed as a name, an
// e-mail address or a password (too long for the file, or a character the
// file cannot hold; an empty name, a password never typed back), or nothing.
std::optional<QString> ProblemaDoNome(const QString& nome);
std::optional<QString> ProblemaDoEMail(const QString& email);
std::optional<QString> ProblemaDaSenha(const QString& senha);

// A password that could never be typed again at the entry screen: one
// character is stored padded with a blank, and "==" stands for no password.
bool SenhaImpossivel(const QString& senha);

// A name as names are compared: small letters without their accents.
QString SemAcentos(const QString& texto);

// The course holds as many students as the roster has slots.
inline constexpr int kMaximoDeAlunos = decltype(ListaAlunos)::size;

// A student file of this many records has no room for one more.
bool CursoLotado(std::int64_t alunos);

// The password typed opens the student's lessons: the same text exactly,
// and nothing for a student without a password.
bool SenhaConfere(const tAluno& aluno, const QString& digitada);

// A lesson goes on from the exercise after the last one recorded.
std::int32_t ProximoExercicio(const tAula& ultima);
